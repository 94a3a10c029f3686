#include "VxLoadResource.h"

#include <gtest/gtest.h>

#include <vector>

#include "DibSection.h"
#include "GostCipher.h"
#include "MemoryPeak.h"
#include "PathUtils.h"
#include "TestCanvas.h"
#include "TestEncipher.h"
#include "TestPaths.h"

namespace {

using namespace VXM;

std::vector<uint32_t> PixelsOf(const VxImageInfo* image)
{
    return image ? ReadPixels(image->hBitmap).pixels : std::vector<uint32_t>();
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLoader(); }
    void TearDown() override
    {
        ResetLoader();
        if (!folder_.empty())
            RemoveTree(folder_);
    }
    std::wstring Folder()
    {
        if (folder_.empty())
            folder_ = MakeTempFolder(L"zentarium-loader");
        return folder_;
    }

    VxLoadResource& loader_ = VxLoadResource::Instance();
    std::wstring folder_;
};

TEST_F(LoaderTest, PngIsStoredPremultipliedInATopDownDib)
{
    VxImageInfo* image = loader_.LoadImageW(107, 0, L"PNG");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_TRUE(image->alpha);
    DIBSECTION section = {};
    ASSERT_EQ(GetObjectW(image->hBitmap, sizeof(section), &section), int(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    const auto* bytes = static_cast<const uint8_t*>(section.dsBm.bmBits);
    EXPECT_EQ((std::vector<int>(bytes, bytes + 4)), (std::vector<int>{25, 50, 100, 128})) << "B, G, R, A";
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t>{0x80643219, 0xFF0A141E, 0, 0}));

    EXPECT_FALSE(loader_.LoadImageW(testing_paths::Fixture(L"render_opaque.png"), 0, false)->alpha);
}

TEST_F(LoaderTest, MaskClearsOpaqueMagentaOnlyAndTheFirstLoadOfAnIdWins)
{
    VxImageInfo* masked = loader_.LoadImageW(108, 0xFFFF00FF, L"PNG");
    ASSERT_NE(masked, nullptr);
    EXPECT_TRUE(masked->alpha);
    EXPECT_EQ(PixelsOf(masked), (std::vector<uint32_t>{0, 0x80800080, 0xFF00FF00}));
    EXPECT_EQ(loader_.LoadImageW(108, 0, L"PNG"), masked);
    EXPECT_EQ(loader_.LoadImageW(108, 0, L"whatever"), masked) << "the id alone is the key";

    const std::wstring file = testing_paths::Fixture(L"render_magenta.png");
    EXPECT_EQ(PixelsOf(loader_.LoadImageW(file, 0, false))[0], 0xFFFF00FFu);
}

TEST_F(LoaderTest, BitmapResourceIsOpaqueWithTheMaskApplied)
{
    VxImageInfo* plain = loader_.LoadImageW(109, 0, L"BMP");
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->alpha);
    EXPECT_EQ(PixelsOf(plain), (std::vector<uint32_t>{0xFFFF00FF, 0xFF00FF00, 0xFF0000FF, 0xFFFF00FF}));
    loader_.RemoveImage(109u);
    VxImageInfo* masked = loader_.LoadImageW(109, 0xFFFF00FF, L"BMP");
    ASSERT_NE(masked, nullptr);
    EXPECT_TRUE(masked->alpha);
    EXPECT_EQ(PixelsOf(masked), (std::vector<uint32_t>{0, 0xFF00FF00, 0xFF0000FF, 0}));
}

TEST_F(LoaderTest, BadImagesFailWithoutEnteringTheCache)
{
    EXPECT_EQ(loader_.LoadImageW(112, 0, L"PNG"), nullptr) << "undecodable bytes";
    EXPECT_EQ(loader_.LoadImageW(999, 0, L"PNG"), nullptr);
    EXPECT_EQ(loader_.LoadImageW(70000, 0, L"PNG"), nullptr) << "not a resource id";
    EXPECT_EQ(loader_.LoadImageW(999, 0, L"BMP"), nullptr);

    const std::wstring path = Folder() + L"later.png";
    EXPECT_EQ(loader_.LoadImageW(path, 0, false), nullptr);
    ASSERT_TRUE(WriteBytes(path, testing_paths::ReadFileBytes(testing_paths::Fixture(L"render_blue.png"))));
    VxImageInfo* image = loader_.LoadImageW(path, 0, false);
    ASSERT_NE(image, nullptr) << "a failure is looked for again";
    EXPECT_EQ(image->width, 8);

    std::unique_ptr<VxImageInfo> decoded;
    const std::string png = testing_paths::ReadFileBytes(testing_paths::Fixture(L"render_opaque.png"));
    EXPECT_TRUE(VxLoadResource::ImageInfoFromBuffer(
        VxBuffer<uint8_t>(reinterpret_cast<const uint8_t*>(png.data()), png.size()), decoded));
    EXPECT_EQ(decoded->width, 3);
    EXPECT_FALSE(VxLoadResource::ImageInfoFromBuffer(VxBuffer<uint8_t>(), decoded));
}

TEST_F(LoaderTest, ImageDataInflatingFarBeyondItsPixelsIsRefused)
{
    // One pixel whose 2 MB of image data inflate to 2 GiB: the decoder stops at what the
    // pixel could need instead of inflating it all.
    const std::wstring bomb = testing_paths::Fixture(L"render_bomb.png");
    const size_t growth = memory_peak::GrowthDuring([&] { EXPECT_EQ(loader_.LoadImageW(bomb, 0, false), nullptr); });
    EXPECT_LT(growth, size_t{256} << 20);
    const std::string bytes = testing_paths::ReadFileBytes(bomb);
    ASSERT_GT(bytes.size(), size_t{2} << 20);
    std::unique_ptr<VxImageInfo> decoded;
    EXPECT_FALSE(VxLoadResource::ImageInfoFromBuffer(
        VxBuffer<uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), decoded));
    EXPECT_NE(loader_.LoadImageW(testing_paths::Fixture(L"render_gradient.png"), 0, false), nullptr);
}

TEST_F(LoaderTest, RelativeNamesResolveUnderTheResourcePath)
{
    ASSERT_FALSE(paths::Exists(L"render_blue.png"));
    EXPECT_EQ(loader_.LoadImageW(L"render_blue.png", 0, false), nullptr);
    loader_.SetResourcePath(testing_paths::ExeFolder() + L"fixtures\\");
    VxImageInfo* image = loader_.LoadImageW(L"render_blue.png", 0, false);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(PixelsOf(image)[0], 0xFF0000FFu);
    EXPECT_NE(loader_.LoadImageW(L"\"render_opaque.png\"", 0, false), nullptr) << "quotes are stripped";
}

TEST_F(LoaderTest, FileCacheEvictsTheLeastRecentlyUsedOfAThousand)
{
    const std::string png = testing_paths::ReadFileBytes(testing_paths::Fixture(L"render_opaque.png"));
    std::vector<std::wstring> paths;
    for (int i = 0; i <= 1000; ++i) {
        paths.push_back(Folder() + std::to_wstring(i) + L".png");
        ASSERT_TRUE(WriteBytes(paths.back(), png));
    }
    for (int i = 0; i < 1000; ++i)
        ASSERT_NE(loader_.LoadImageW(paths[i], 0, false), nullptr) << i;
    loader_.LoadImageW(paths[0], 0, false);  // 0 is now the newest, 1 the oldest
    for (int i = 0; i < 1000; ++i)
        DeleteFileW(paths[i].c_str());  // from here on only the cache can answer

    ASSERT_NE(loader_.LoadImageW(paths[1000], 0, false), nullptr);
    EXPECT_NE(loader_.LoadImageW(paths[0], 0, false), nullptr) << "refreshed, kept";
    EXPECT_NE(loader_.LoadImageW(paths[2], 0, false), nullptr);
    EXPECT_EQ(loader_.LoadImageW(paths[1], 0, false), nullptr) << "the oldest was evicted";
}

TEST_F(LoaderTest, EncipheredFileIsDecipheredBeforeDecoding)
{
    std::string bytes = testing_paths::ReadFileBytes(testing_paths::Fixture(L"render_premultiplied.png"));
    ASSERT_NE(bytes.size() % 8, 0u) << "the fixture should have a tail";
    TestEncipher(ImageFileKey(), ImageFileTables(), reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    const std::wstring path = Folder() + L"secret.png";
    ASSERT_TRUE(WriteBytes(path, bytes));

    EXPECT_EQ(PixelsOf(loader_.LoadImageW(path, 0, true)),
              PixelsOf(loader_.LoadImageW(testing_paths::Fixture(L"render_premultiplied.png"), 0, false)));
    const std::wstring plainKey = Folder() + L".\\secret.png";
    EXPECT_EQ(loader_.LoadImageW(plainKey, 0, false), nullptr) << "enciphered bytes do not decode as they are";
    ASSERT_TRUE(WriteBytes(Folder() + L"tiny.png", "abc"));
    EXPECT_EQ(loader_.LoadImageW(Folder() + L"tiny.png", 0, true), nullptr);
}

TEST_F(LoaderTest, RegisteredImagesGeneratedKeysAndRemoval)
{
    uint32_t* bits = nullptr;
    auto make = [&] { return std::make_unique<VxImageInfo>(CreateTopDownDib(1, 1, &bits).Detach(), 1, 1, false); };
    const uint32_t first = loader_.AddImageInfo(0u, make());
    const uint32_t second = loader_.AddImageInfo(0u, make());
    EXPECT_NE(first, second);
    EXPECT_NE(loader_.LoadImageW(first, 0, L"PNG"), nullptr);
    EXPECT_EQ(loader_.AddImageInfo(106u, make()), 106u);
    EXPECT_EQ(loader_.LoadImageW(106, 0, L"PNG")->width, 1) << "replaces what was there";

    const std::wstring key = loader_.AddImageInfo(std::wstring(), make());
    EXPECT_FALSE(key.empty());
    EXPECT_EQ(key.find_first_not_of(L"0123456789"), std::wstring::npos) << "a decimal key";
    EXPECT_NE(loader_.LoadImageW(key, 0, false), nullptr);
    EXPECT_EQ(loader_.AddImageInfo(L"mine", make()), L"mine");
    loader_.RemoveImage(L"mine");
    EXPECT_EQ(loader_.LoadImageW(L"mine", 0, false), nullptr);
    loader_.RemoveImage(L"never there");

    loader_.ClearRCResource();
    EXPECT_EQ(loader_.LoadImageW(first, 0, L"PNG"), nullptr);
    EXPECT_EQ(loader_.LoadImageW(106, 0, L"PNG")->width, 8) << "decoded again from the resource";
}

TEST_F(LoaderTest, StringsWithTheirFallbacks)
{
    EXPECT_EQ(loader_.LoadStr(0), L"");
    EXPECT_EQ(loader_.LoadStr(200), L"DLL错误修复工具");
    EXPECT_EQ(loader_.LoadStr(201), L"") << "empty slot of an existing block";
    EXPECT_EQ(loader_.LoadStr(103), L"103") << "missing string";
    EXPECT_EQ(loader_.LoadFormatStr(202, L"运行库", 7), L"运行库|7");
    EXPECT_EQ(loader_.LoadFormatStr(201, L"x"), L"");

    const std::wstring longText(3000, L'字');
    std::wstring formatted = loader_.LoadFormatStr(203, longText.c_str());
    EXPECT_EQ(formatted.size(), 3002u);
    EXPECT_EQ(formatted, L"[" + longText + L"]");
}

}  // namespace
