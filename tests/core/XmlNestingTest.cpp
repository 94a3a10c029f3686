#include "XmlNesting.h"

#include <gtest/gtest.h>

#include <string>

using VXM::XmlNestingWithinLimit;

namespace {

std::string Nested(int levels)
{
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<a>";
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    return text;
}

}  // namespace

TEST(XmlNesting, CountsOpenElementsAgainstTheLimit)
{
    EXPECT_TRUE(XmlNestingWithinLimit(Nested(3), 3));
    EXPECT_FALSE(XmlNestingWithinLimit(Nested(4), 3));
    EXPECT_TRUE(XmlNestingWithinLimit("<a><b/><b/><b/><b/></a>", 2)) << "self-closing siblings add no depth";
    EXPECT_TRUE(XmlNestingWithinLimit("<a></a><a></a><a></a>", 1)) << "siblings are not nested";
}

TEST(XmlNesting, MarkupInsideValuesCommentsAndSectionsIsNotCounted)
{
    // Values that look like closing tags must not lower the count either.
    EXPECT_FALSE(XmlNestingWithinLimit("<a v=\"</x></x>\"><b><c></c></b></a>", 2));
    EXPECT_TRUE(XmlNestingWithinLimit("<a v=\"<x><y><z>\" w='<q>'/>", 1));
    EXPECT_TRUE(XmlNestingWithinLimit("<?xml version=\"1.0\"?><!-- <a><a><a> --><a><![CDATA[<b><b>]]></a>", 1));
    EXPECT_TRUE(XmlNestingWithinLimit("<!DOCTYPE x><a/>", 1));
}

TEST(XmlNesting, CutDocumentsEndTheScan)
{
    EXPECT_TRUE(XmlNestingWithinLimit("<a v=\"never closed", 1));
    EXPECT_TRUE(XmlNestingWithinLimit("<!-- open comment <a><a>", 1));
    EXPECT_TRUE(XmlNestingWithinLimit("", 0));
    EXPECT_TRUE(XmlNestingWithinLimit(std::string(200000, '<'), 1)) << "an unterminated tag ends the scan";
}
