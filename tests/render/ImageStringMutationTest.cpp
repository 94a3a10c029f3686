#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TestCanvas.h"
#include "TestPaths.h"
#include "VxRenderUtils.h"

namespace {

constexpr int kMutationsPerSeed = 150;
constexpr wchar_t kAlphabet[] = L"'= ,#-.0123456789xabcdefghlmnoprstuvwABCDEF";
// What a mutation inserts: keys, quotes and numbers at the edges of their ranges.
const wchar_t* const kPieces[] = {
    L"dest='", L"source='", L"corner='", L"layout='vmiddle' ", L"layout='hmiddle right bottom' ", L"'", L"' ",
    L"2147483647", L"-2147483648", L"16777216", L"-1", L"0,0,0,0", L"res='110' restype='PNG' ", L"file='",
    L"rotate='1e308' ", L"hole='true' ", L"round='99999,99999' ", L"fade='0' ", L"reverse='true' ",
    L"rgnimage='110' ", L"icon='true' iconsize='-5' ", L"mask='#'"};

std::vector<std::wstring> ReadSeeds()
{
    std::vector<std::wstring> seeds;
    std::istringstream lines(testing_paths::ReadFileBytes(testing_paths::Fixture(L"image-strings.txt")));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty())
            seeds.emplace_back(line.begin(), line.end());  // the corpus is ASCII
    }
    return seeds;
}

std::wstring Mutate(std::wstring text, std::mt19937& random)
{
    for (unsigned steps = 1 + random() % 4; steps > 0; --steps) {
        const size_t at = random() % (text.size() + 1);
        switch (random() % 3) {
        case 0:
            text.insert(at, kPieces[random() % std::size(kPieces)]);
            break;
        case 1:
            text.erase(at, random() % 8);
            break;
        default:
            if (at < text.size())
                text[at] = kAlphabet[random() % (std::size(kAlphabet) - 1)];
        }
    }
    return text;
}

// Mutations of the stored image strings, drawn into a DIB in controls of every shape. Each
// input is written to disk before it is drawn: a crash leaves it behind in the printed file.
TEST(ImageStringMutation, MutatedStringsDrawWithoutFault)
{
    ResetLoader();
    const std::vector<std::wstring> seeds = ReadSeeds();
    ASSERT_FALSE(seeds.empty());
    const std::wstring folder = MakeTempFolder(L"image-string-mutation");
    const std::wstring inputPath = folder + L"input.txt";
    std::fprintf(stderr, "mutation inputs: %ls\n", inputPath.c_str());
    const RECT controls[] = {{10, 10, 110, 80}, {-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF}, {60, 60, 20, 20}, {}};
    TestCanvas canvas(120, 90, 0xFF404040);
    std::mt19937 random(25);
    int drawn = 0;
    for (const std::wstring& seed : seeds) {
        for (int i = 0; i < kMutationsPerSeed; ++i) {
            const std::wstring image = Mutate(seed, random);
            ASSERT_TRUE(WriteBytes(inputPath, std::string(image.begin(), image.end())));
            const RECT& control = controls[i % std::size(controls)];
            drawn += VXM::VxRenderUtils::DrawImageString(canvas.Dc(), control, canvas.Bounds(), image) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 0) << "the mutations must reach the drawing, not only the parser";
    RemoveTree(folder);
    ResetLoader();
}

}  // namespace
