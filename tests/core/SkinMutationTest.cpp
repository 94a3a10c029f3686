#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "TestCanvas.h"
#include "TestPaths.h"
#include "VxControl.h"
#include "VxDialogBuilder.h"
#include "VxPaintManager.h"

namespace {

using namespace VXM;

constexpr int kMutations = 60;
// What a mutation inserts: mark-up, quotes, nesting and numbers at the edges of their ranges.
const char* const kPieces[] = {"<", ">", "/>", "\"", "</VerticalLayout>", "<HorizontalLayout>", "<![CDATA[",
                               "<!--", " width=\"2147483647\"", " pos=\"-2147483648,0,99999999999,1\"",
                               " padding=\"-1,-1,-1,-1\"", " bkimage=\"res='9' dest='0,0,0,-16777216' layout='vmiddle'\"",
                               " text=\"{b}{c #FF}{x 32767}{p -32767}\"", "&#x;", "\xF4", "\xC3", "\x80"};

std::string Mutate(std::string bytes, std::mt19937& random)
{
    for (unsigned steps = 1 + random() % 6; steps > 0 && !bytes.empty(); --steps) {
        const size_t at = random() % bytes.size();
        switch (random() % 4) {
        case 0:
            bytes.insert(at, kPieces[random() % std::size(kPieces)]);
            break;
        case 1:
            bytes.erase(at, random() % 64);
            break;
        case 2:
            bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 256));
            break;
        default:
            bytes.resize(at + 1);  // ends anywhere, in the middle of a UTF-8 sequence too
        }
    }
    return bytes;
}

// Mutations of the whole skin, each written to disk before the builder reads it from there,
// built into a window's controls, laid out and painted into a DIB.
TEST(SkinMutation, MutatedSkinsBuildLayOutAndPaintWithoutFault)
{
    const std::string skin = testing_paths::ReadFileBytes(testing_paths::Fixture(L"skin.xml"));
    ASSERT_FALSE(skin.empty());
    const std::wstring folder = MakeTempFolder(L"skin-mutation");
    const std::wstring input = folder + L"input.xml";
    std::fprintf(stderr, "mutation inputs: %ls\n", input.c_str());
    TestCanvas canvas(400, 300, 0xFFFFFFFF);
    std::mt19937 random(25);
    int built = 0;
    for (int i = 0; i < kMutations; ++i) {
        ASSERT_TRUE(WriteBytes(input, Mutate(skin, random)));
        VxPaintManager manager;
        VxDialogBuilder builder;
        std::unique_ptr<VxControl> root(
            builder.Create(input.c_str(), i % 2 ? "Main" : "Details", VxDialogBuilder::kXmlFile, nullptr, nullptr, &manager));
        if (!root)
            continue;
        ++built;
        root->SetPos(canvas.Bounds());
        root->DoPaint(canvas.Dc(), canvas.Bounds());
    }
    EXPECT_GT(built, 0) << "some mutations must still build";
    RemoveTree(folder);
}

}  // namespace
