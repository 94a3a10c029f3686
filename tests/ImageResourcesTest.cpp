// The images Zentarium.exe embeds: each decodes through the framework's resource loader at the
// size its place in the windows is laid out for, glyphs sit on transparent corners, and the
// customer-service code is opaque JPEG data.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

#include "ExeModule.h"
#include "VxLoadResource.h"

namespace {

struct ImageSpec {
    uint32_t id;
    int width;
    int height;
};

constexpr ImageSpec kImages[] = {
    {102, 96, 96},   {104, 40, 40},   {105, 40, 40},   {106, 40, 40},   {107, 520, 270}, {108, 520, 270},
    {109, 520, 270}, {110, 520, 270}, {111, 520, 270}, {112, 48, 48},   {113, 200, 200}, {114, 40, 40},
    {115, 40, 40},   {116, 40, 40},   {117, 48, 48},   {118, 48, 48},   {119, 40, 40},   {120, 48, 48},
    {121, 48, 48},   {122, 160, 160}, {129, 750, 750}};
constexpr uint32_t kServiceCode = 129;
constexpr size_t kImageBudgetBytes = 600 * 1024;

// One pixel of a decoded image: premultiplied B, G, R, A bytes, low to high.
bool ReadPixel(const VXM::VxImageInfo& image, int x, int y, uint32_t& pixel)
{
    DIBSECTION section = {};
    if (GetObjectW(image.hBitmap, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
        return false;
    const auto* row = static_cast<const uint8_t*>(section.dsBm.bmBits) + static_cast<size_t>(y) * section.dsBm.bmWidthBytes;
    pixel = reinterpret_cast<const uint32_t*>(row)[x];
    return true;
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::set<uint32_t>*>(found)->insert(static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

class ImageResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = Loader().GetResourceInstance();
        ASSERT_NE(exe_.Get(), nullptr) << "cannot open Zentarium.exe";
        Loader().SetResourceInstance(exe_.Get());
    }
    void TearDown() override
    {
        Loader().ClearRCResource();
        Loader().SetResourceInstance(previous_);
    }

    static VXM::VxLoadResource& Loader() { return VXM::VxLoadResource::Instance(); }

    ExeModule exe_;
    HINSTANCE previous_ = nullptr;
};

TEST_F(ImageResources, EveryImageDecodesThroughTheLoaderAtItsListedSize)
{
    for (const ImageSpec& spec : kImages) {
        SCOPED_TRACE(spec.id);
        VXM::VxImageInfo* image = Loader().LoadImageW(spec.id, 0, L"PNG");
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, spec.width);
        EXPECT_EQ(image->height, spec.height);
    }
}

TEST_F(ImageResources, TheExeCarriesExactlyTheListedImages)
{
    std::set<uint32_t> found;
    EnumResourceNamesW(exe_.Get(), L"PNG", CollectId, reinterpret_cast<LONG_PTR>(&found));
    std::set<uint32_t> listed;
    for (const ImageSpec& spec : kImages)
        listed.insert(spec.id);
    EXPECT_EQ(found, listed);
}

TEST_F(ImageResources, ImagesArePngDataButTheServiceCodeIsJpegData)
{
    const std::string png("\x89PNG\r\n\x1a\n", 8);
    const std::string jpeg("\xFF\xD8\xFF", 3);
    for (const ImageSpec& spec : kImages) {
        std::string bytes = exe_.Bytes(L"PNG", static_cast<int>(spec.id));
        EXPECT_EQ(bytes.rfind(spec.id == kServiceCode ? jpeg : png, 0), 0u) << spec.id;
    }
}

TEST_F(ImageResources, PngImagesHaveAlphaAndTransparentCorners)
{
    for (const ImageSpec& spec : kImages) {
        if (spec.id == kServiceCode)
            continue;
        SCOPED_TRACE(spec.id);
        VXM::VxImageInfo* image = Loader().LoadImageW(spec.id, 0, L"PNG");
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->alpha);
        for (auto [x, y] : {std::pair{0, 0}, {spec.width - 1, 0}, {0, spec.height - 1}, {spec.width - 1, spec.height - 1}}) {
            uint32_t pixel = 0;
            ASSERT_TRUE(ReadPixel(*image, x, y, pixel));
            EXPECT_EQ(pixel, 0u) << "corner " << x << "," << y;
        }
    }
}

TEST_F(ImageResources, ServiceCodeIsOpaqueWithAWhiteBorder)
{
    VXM::VxImageInfo* image = Loader().LoadImageW(kServiceCode, 0, L"PNG");
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->alpha);
    // A scanner needs blank space around the code; JPEG leaves the white a little uneven.
    for (int offset = 0; offset < 40; offset += 3) {
        for (auto [x, y] : {std::pair{offset, offset}, {749 - offset, offset}, {offset, 749 - offset}, {375, offset}}) {
            uint32_t pixel = 0;
            ASSERT_TRUE(ReadPixel(*image, x, y, pixel));
            for (int shift : {0, 8, 16})
                EXPECT_GE((pixel >> shift) & 0xFF, 0xF0u) << x << "," << y;
        }
    }
}

TEST_F(ImageResources, AllImagesTogetherStayWithinTheirBudget)
{
    size_t total = 0;
    for (const ImageSpec& spec : kImages)
        total += exe_.Bytes(L"PNG", static_cast<int>(spec.id)).size();
    EXPECT_LE(total, kImageBudgetBytes);
}

}  // namespace
