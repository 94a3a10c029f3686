#include "AttributeList.h"

#include <gtest/gtest.h>

#include <string>

using VXM::AttributePair;
using VXM::ParseAttributeList;

namespace {

std::wstring Joined(const std::vector<AttributePair>& pairs)
{
    std::wstring text;
    for (const AttributePair& pair : pairs)
        text += std::wstring(pair.name) + L"=" + std::wstring(pair.value) + L";";
    return text;
}

}  // namespace

TEST(AttributeList, PairsSeparatedBySingleBlanks)
{
    EXPECT_EQ(Joined(ParseAttributeList(L"width=\"15\" linesize=\"30\" showbutton1=\"false\"")),
              L"width=15;linesize=30;showbutton1=false;");
    EXPECT_EQ(Joined(ParseAttributeList(L"text=\"a b=c\"")), L"text=a b=c;") << "blanks and = inside a value";
    EXPECT_EQ(Joined(ParseAttributeList(L"text=\"\"")), L"text=;");
    EXPECT_TRUE(ParseAttributeList(L"").empty());
}

TEST(AttributeList, StopsAtTheFirstMalformedPairKeepingTheOnesBefore)
{
    EXPECT_EQ(Joined(ParseAttributeList(L"a=\"1\" b=2 c=\"3\"")), L"a=1;") << "value without quotes";
    EXPECT_EQ(Joined(ParseAttributeList(L"a=\"1\" b=\"unterminated")), L"a=1;");
    EXPECT_EQ(Joined(ParseAttributeList(L"a=\"1\"b=\"2\"")), L"a=1;") << "no blank after the quote";
    EXPECT_EQ(Joined(ParseAttributeList(L"a=\"1\" noequals")), L"a=1;");
    EXPECT_EQ(Joined(ParseAttributeList(L"a = \"1\"")), L"") << "no blank around =";
}

TEST(AttributeList, TwoBlanksMakeTheNextNameStartWithABlank)
{
    const std::vector<AttributePair> pairs = ParseAttributeList(L"a=\"1\"  b=\"2\"");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1].name, L" b");
}

TEST(AttributeList, AMegabyteValueIsOnePair)
{
    const std::wstring big(1 << 20, L'x');
    const std::wstring list = L"text=\"" + big + L"\" name=\"n\"";
    const std::vector<AttributePair> pairs = ParseAttributeList(list);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].value.size(), big.size());
    EXPECT_EQ(pairs[1].value, L"n");
}
