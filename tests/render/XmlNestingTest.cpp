#include "XmlNesting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using VXM::XmlNestingWithin;

std::string Repeat(const std::string& piece, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string Nested(size_t depth)
{
    return Repeat("<a>", depth) + Repeat("</a>", depth);
}

TEST(XmlNesting, CountsOpenElementsAgainstTheLimit)
{
    EXPECT_TRUE(XmlNestingWithin("<Root name=\"x\"/>", 1));
    EXPECT_TRUE(XmlNestingWithin(Nested(3), 3));
    EXPECT_FALSE(XmlNestingWithin(Nested(4), 3));
    EXPECT_TRUE(XmlNestingWithin(Repeat("<a></a>", 1000), 1)) << "siblings do not add up";
    EXPECT_TRUE(XmlNestingWithin(Repeat("<a/>", 1000), 0)) << "empty elements open nothing";
}

TEST(XmlNesting, ClosingMarksInsideValuesCommentsAndSectionsCountForNothing)
{
    // The hostile skin file: closing marks in a value first, deep nesting after them.
    const std::string deep = Repeat("<a>", 300);
    EXPECT_FALSE(XmlNestingWithin("<Root pad=\"" + Repeat("/>", 1000) + "\">" + deep, 256));
    EXPECT_FALSE(XmlNestingWithin("<Root pad='" + Repeat("&lt;/x&gt;/>", 1000) + "'>" + deep, 256));
    EXPECT_FALSE(XmlNestingWithin("<!--" + Repeat("</a>", 1000) + "-->" + deep, 256));
    EXPECT_FALSE(XmlNestingWithin("<![CDATA[" + Repeat("</a>", 1000) + "]]>" + deep, 256));
    EXPECT_FALSE(XmlNestingWithin("<?xml version=\"1.0\"?><!DOCTYPE x>" + deep, 256));
    EXPECT_TRUE(XmlNestingWithin("<?xml version=\"1.0\" encoding=\"utf-8\"?><!-- </a> --><Root><![CDATA[</Root>]]>"
                                 "<Skin a=\"/>\" b='x/>y'>text &amp; more</Skin></Root>",
                                 2));
}

TEST(XmlNesting, EndTagsMustCloseTheOpenElement)
{
    EXPECT_FALSE(XmlNestingWithin("</a>" + Nested(300), 256)) << "no end tag before its element";
    EXPECT_FALSE(XmlNestingWithin("<a><b></a></b>", 5));
    EXPECT_TRUE(XmlNestingWithin("<a><b></b ></a>", 2));
}

TEST(XmlNesting, TextTheReadingCannotFollowIsRefused)
{
    for (const std::string& text : {std::string("<a b=c>"), std::string("<a b=\"<\">"), std::string("<a"),
                                    std::string("< a>"), std::string("<a b>"), std::string("<!-- open"),
                                    std::string("<?xml version=\"1>\"?><a>"), std::string("<1a>")}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(XmlNestingWithin(text, 256));
    }
    EXPECT_TRUE(XmlNestingWithin("", 256));
    EXPECT_TRUE(XmlNestingWithin("\xEF\xBB\xBFplain text > with no markup", 256));
}

}  // namespace
