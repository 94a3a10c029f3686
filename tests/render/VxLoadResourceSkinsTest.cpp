#include <gtest/gtest.h>

#include <string>

#include "DibSection.h"
#include "PathUtils.h"
#include "TestCanvas.h"
#include "TestPaths.h"
#include "VxLoadResource.h"
#include "VxRenderUtils.h"

namespace {

using namespace VXM;

// The catalogue lives in the folder "skin" beside the exe: only this suite uses it.
class SkinCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLoader();
        RemoveTree(skin_);
        Write(L"blue\\skin.xml", "<Root name=\"\xE8\x93\x9D\xE8\x89\xB2\" image=\"blue\\bg.png\" preview=\"blue\\bg.png\" "
                                 "color=\" #FF112233\" index=\"2\"/>");
        Write(L"blue\\bg.png", testing_paths::ReadFileBytes(testing_paths::Fixture(L"render_opaque.png")));
        Write(L"green\\skin.xml", "<Root name=\"green\" image=\"blue\\bg.png\"/>");
        Write(L"bad\\skin.xml", "<Root name=\"bad\" image=\"bad\\missing.png\"/>");
        Write(L"noname\\skin.xml", "<Root name=\"\"/>");
        Write(L"other\\skin.xml", "<Skin name=\"other\"/>");
        Write(L"deep\\skin.xml", std::string(100000, '<'));
        Write(L"deep\\sub\\skin.xml", "<Root name=\"too deep\"/>");  // only one level is scanned
    }
    void TearDown() override
    {
        loader_.EnumSkin(L"", L"", L"none");
        RemoveTree(skin_);
        ResetLoader();
    }
    void Write(const std::wstring& name, const std::string& bytes)
    {
        const std::wstring path = skin_ + name;
        paths::CreateFolderWithParents(path.substr(0, path.find_last_of(L'\\')));
        ASSERT_TRUE(WriteBytes(path, bytes));
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& skin : loader_.GetSkinInfos())
            names.push_back(skin->name);
        return names;
    }

    VxLoadResource& loader_ = VxLoadResource::Instance();
    const std::wstring skin_ = testing_paths::ExeFolder() + L"skin\\";
};

TEST_F(SkinCatalogueTest, ValidSkinsAreListedInIndexOrder)
{
    loader_.EnumSkin(L"res='106' restype='PNG'", L"", L"skin.xml");
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"", L"蓝色", L"green"}));
    const auto& skins = loader_.GetSkinInfos();
    ASSERT_EQ(skins.size(), 3u);
    EXPECT_EQ(skins[0]->image, L"res='106' restype='PNG'");
    EXPECT_EQ(skins[1]->color, 0xFF112233u);
    EXPECT_EQ(skins[1]->path, skin_ + L"blue\\skin.xml");
    EXPECT_EQ(skins[2]->color, VxSkinInfo::kDefaultColor);
    EXPECT_EQ(skins[2]->index, 4) << "unindexed skins go last";
    EXPECT_TRUE(paths::Exists(skin_ + L"skin.xml")) << "the setting file is made on the way";

    EXPECT_TRUE(loader_.IsExistSkinFile(0));
    EXPECT_TRUE(loader_.IsExistSkinFile(1));
    EXPECT_FALSE(loader_.IsExistSkinFile(9));
    DeleteFileW((skin_ + L"blue\\bg.png").c_str());
    EXPECT_FALSE(loader_.IsExistSkinFile(1));
}

TEST_F(SkinCatalogueTest, CurrentSkinSettingRoundTrip)
{
    loader_.EnumSkin(L"res='106' restype='PNG'", L"", L"skin.xml");
    EXPECT_EQ(loader_.GetCurrentSkinName(), L"");
    EXPECT_EQ(loader_.GetCurrentSkinIndex(), 0u);
    EXPECT_EQ(loader_.GetCurrentBkColor(), VxSkinInfo::kDefaultColor);
    const std::wstring builtIn = loader_.GetCurrentSkinImage();
    ASSERT_FALSE(builtIn.empty());

    TestCanvas canvas(40, 40, 0);
    ASSERT_TRUE(VxRenderUtils::DrawImageString(canvas.Dc(), canvas.Bounds(), canvas.Bounds(), builtIn));
    EXPECT_EQ(canvas.Pixel(3, 3), 0xFF0000FFu) << "background made from resource 106";

    ASSERT_TRUE(loader_.SetCurrentSkinName(L"蓝色"));
    EXPECT_NE(testing_paths::ReadFileBytes(skin_ + L"skin.xml").find("\xE8\x93\x9D\xE8\x89\xB2"), std::string::npos);
    EXPECT_EQ(loader_.GetCurrentSkinName(), L"蓝色");
    EXPECT_EQ(loader_.GetCurrentSkinIndex(), 1u);
    EXPECT_EQ(loader_.GetCurrentBkColor(), 0xFF112233u);
    ASSERT_TRUE(VxRenderUtils::DrawImageString(canvas.Dc(), canvas.Bounds(), canvas.Bounds(),
                                               loader_.GetCurrentSkinImage()));
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFF0A141Eu) << "background made from blue\\bg.png";
    EXPECT_EQ(canvas.Pixel(39, 39), 0xFF0A141Eu);

    ASSERT_TRUE(loader_.SetCurrentSkinName(L"unknown"));
    EXPECT_EQ(loader_.GetCurrentSkinIndex(), 0u);

    Write(L"skin.xml", "not xml at all");
    ASSERT_TRUE(loader_.SetCurrentSkinName(L"green")) << "a broken setting file is replaced";
    EXPECT_EQ(loader_.GetCurrentSkinIndex(), 2u);
}

TEST_F(SkinCatalogueTest, HostileDescriptionFilesAreSkippedWithoutHarm)
{
    // 1.8 MB: closing marks in a value, then nesting far beyond what the parser's stack takes.
    std::string deep = "<Root name=\"deep\" pad=\"";
    for (int i = 0; i < 300000; ++i)
        deep += "/>";
    deep += "\">";
    for (int i = 0; i < 300000; ++i)
        deep += "<a>";
    ASSERT_GT(deep.size(), 1500000u);
    Write(L"hostile\\skin.xml", deep);
    Write(L"last\\skin.xml", "<Root name=\"last\" index=\"2147483647\"/>");
    Write(L"past\\skin.xml", "<Root name=\"past\" index=\"99999999999\"/>");
    Write(L"high\\skin.xml", "<Root name=\"high\" index=\"2147483646\"/>");
    loader_.EnumSkin(L"res='106' restype='PNG'", L"", L"skin.xml");
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"", L"蓝色", L"green", L"high"}));

    // The setting file goes through the same reader.
    Write(L"skin.xml", deep);
    EXPECT_EQ(loader_.GetCurrentSkinName(), L"");
}

TEST_F(SkinCatalogueTest, AddedSkinsJoinTheCatalogue)
{
    loader_.EnumSkin(L"res='106' restype='PNG'", L"", L"skin.xml");
    Write(L"late\\skin.xml", "<Root name=\"late\"/>");
    loader_.EnumAddSkin(L"", L"skin.xml");
    loader_.EnumAddSkin(L"", L"skin.xml");
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"", L"蓝色", L"green", L"late"})) << "known files are skipped";

    ASSERT_TRUE(loader_.AddSkinXml(skin_ + L"red\\skin.xml", L"红色", L"blue\\bg.png", 0xFFAA0000));
    const VxSkinInfo& added = *loader_.GetSkinInfos().back();
    EXPECT_EQ(added.name, L"红色");
    EXPECT_TRUE(added.user);
    EXPECT_EQ(added.color, 0xFFAA0000u);
    EXPECT_EQ(added.preview, L"红色\\preview.png");
    const std::string preview = testing_paths::ReadFileBytes(skin_ + L"红色\\preview.png");
    ASSERT_EQ(preview.size(), 54u + 65 * 300) << "100 x 65, 24 bits, rows of 300 bytes";
    EXPECT_EQ(preview.substr(0, 2), "BM");

    EXPECT_FALSE(loader_.AddSkinXml(skin_ + L"x\\skin.xml", L"x", L"blue\\missing.png", 0));
}

}  // namespace
