#include "ArchiveItemName.h"
#include "ExtractArchive.h"

#include "RepairTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

using repair_test::RepairFixture;

constexpr int kMutationsPerArchive = 40;

// One to four byte changes: a flipped bit, an extreme byte, a cut or a copied run.
std::string Mutate(std::string bytes, std::mt19937& random)
{
    for (unsigned steps = 1 + random() % 4; steps > 0 && !bytes.empty(); --steps) {
        const size_t at = random() % bytes.size();
        switch (random() % 4) {
        case 0:
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << random() % 8));
            break;
        case 1:
            bytes[at] = random() % 2 ? '\xFF' : '\0';
            break;
        case 2:
            bytes.resize(at + 1);
            break;
        default:
            bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 16));
        }
    }
    return bytes;
}

// Everything under a folder, relative to it.
std::vector<std::wstring> Entries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        names.push_back(std::filesystem::relative(entry.path(), folder).wstring());
    return names;
}

// Mutations of the stored archives, each written to disk before it is unpacked: nothing lands
// outside the package folder, and every file the unpacking reports has a safe name. Most are
// refused by the archive's checksums; items before a damaged one still unpack.
TEST(ArchiveMutation, MutatedArchivesUnpackOnlyIntoTheirFolder)
{
    repair_test::TempFolder work(L"archive-mutation");
    const std::wstring archive = work.Path() + L"input.7z";
    std::fprintf(stderr, "mutation inputs: %ls\n", archive.c_str());
    std::mt19937 random(25);
    int unpacked = 0;
    for (const wchar_t* name : {L"nested.7z", L"unsafe.7z"}) {
        const std::string stored = repair_test::ReadText(RepairFixture(name));
        ASSERT_FALSE(stored.empty());
        for (int i = 0; i < kMutationsPerArchive; ++i) {
            const std::wstring package = work.Path() + L"pkg\\";
            repair_test::RemoveTree(package);
            ASSERT_TRUE(CreateDirectoryW(package.c_str(), nullptr));
            // The first round unpacks the stored archive itself: the mutations start from a whole one.
            repair_test::WriteBytes(archive, i == 0 ? stored : Mutate(stored, random));
            repair::UnpackedFiles files;
            unpacked += repair::ExtractArchive(archive, package, &files) == repair::kExtractOk;
            for (const repair::UnpackedFile& file : files)
                EXPECT_TRUE(repair::IsSafeItemName(file.name)) << file.name;
            files.clear();
            const std::vector<std::wstring> beside = Entries(work.Path());
            EXPECT_EQ(std::count_if(beside.begin(), beside.end(),
                                    [](const std::wstring& entry) { return entry.find(L'\\') == std::wstring::npos; }),
                      2)
                << "only the archive and the package folder";
        }
    }
    EXPECT_GE(unpacked, 2) << "the stored archives themselves unpack";
}

}  // namespace
