// Each third-party library, cross-built from Debian's sources, does its real job under Wine.

#include <gtest/gtest.h>
#include <json/json.h>
#include <tinyxml.h>
#include <windows.h>
#include <zlib.h>

#include <map>
#include <string>
#include <vector>

extern "C" {
#include <7z.h>
#include <7zAlloc.h>
#include <7zCrc.h>
#include <7zFile.h>
}

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#include "TestPaths.h"

namespace {

std::wstring FromCodePage(const std::string& text, UINT codePage)
{
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string SkinFromExe()
{
    std::wstring exe = testing_paths::ExeFolder() + L"Zentarium.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return {};
    std::string text;
    if (HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(100), L"XML")) {
        if (HGLOBAL data = LoadResource(module, info))
            text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, info));
    }
    FreeLibrary(module);
    return text;
}

TEST(TinyXml, ReadsChineseAttributeOfTheGbkSkinResource)
{
    std::string skin = SkinFromExe();
    ASSERT_FALSE(skin.empty());
    // The bytes must really be GBK, not UTF-8 that happens to parse.
    EXPECT_EQ(skin.find("\xE6\xAC\xA2"), std::string::npos);

    TiXmlDocument document;
    document.Parse(skin.c_str());
    ASSERT_FALSE(document.Error()) << document.ErrorDesc();
    const TiXmlElement* window = document.RootElement()->FirstChildElement("Window");
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(window->Attribute("name"), "Main");
    const TiXmlElement* page = window->FirstChildElement("VerticalLayout");
    page = page ? page->FirstChildElement("VerticalLayout") : nullptr;
    ASSERT_NE(page, nullptr);
    const TiXmlElement* control = page->FirstChildElement("Control");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(FromCodePage(control->Attribute("text"), 936), L"欢迎使用DLL错误修复工具");
}

TEST(JsonCpp, ParsesARuntimeLibraryReply)
{
    const std::string reply =
        R"({"code":200,"data":{"runtimelib":[{"name":"VC++ 2015-2022 x64","type":3,)"
        R"("url":"http://127.0.0.1/vc_redist.x64.exe"},{"name":"\u8fd0\u884c\u5e93","type":14}]}})";
    Json::Reader reader;
    Json::Value root;
    ASSERT_TRUE(reader.parse(reply, root));
    EXPECT_EQ(root["code"].asInt(), 200);
    const Json::Value& list = root["data"]["runtimelib"];
    ASSERT_TRUE(list.isArray());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["type"].asInt(), 3);
    EXPECT_EQ(list[0]["url"].asString(), "http://127.0.0.1/vc_redist.x64.exe");
    EXPECT_EQ(FromCodePage(list[1]["name"].asString(), CP_UTF8), L"运行库");
    EXPECT_FALSE(list[1].isMember("url"));
}

std::string Gzip(const std::string& input)
{
    z_stream stream = {};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string output(deflateBound(&stream, static_cast<uLong>(input.size())) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    stream.next_out = reinterpret_cast<Bytef*>(output.data());
    stream.avail_out = static_cast<uInt>(output.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    output.resize(stream.total_out);
    deflateEnd(&stream);
    return output;
}

TEST(Zlib, InflatesAGzipBuffer)
{
    std::string original;
    for (int i = 0; i < 5000; ++i)
        original += "line " + std::to_string(i) + "\n";
    std::string packed = Gzip(original);
    ASSERT_EQ(static_cast<unsigned char>(packed[0]), 0x1f);
    ASSERT_EQ(static_cast<unsigned char>(packed[1]), 0x8b);

    z_stream stream = {};
    ASSERT_EQ(inflateInit2(&stream, 15 + 32), Z_OK);
    std::string output(original.size() + 100, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(output.data());
    stream.avail_out = static_cast<uInt>(output.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
    output.resize(stream.total_out);
    inflateEnd(&stream);
    EXPECT_EQ(output, original);
}

void AppendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

TEST(StbImage, DecodesAPngWrittenByStbImageWrite)
{
    const int width = 3, height = 2;
    const unsigned char pixels[width * height * 4] = {
        200, 100, 50, 128, 0, 0, 0, 0, 255, 255, 255, 255,
        1,   2,   3,  4,   9, 8, 7, 6, 255, 0,   255, 255,
    };
    std::string png;
    ASSERT_NE(stbi_write_png_to_func(AppendBytes, &png, width, height, 4, pixels, width * 4), 0);

    int w = 0, h = 0, channels = 0;
    unsigned char* decoded = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()),
                                                   static_cast<int>(png.size()), &w, &h, &channels, 4);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    EXPECT_EQ(channels, 4);
    EXPECT_EQ(std::vector<unsigned char>(decoded, decoded + sizeof(pixels)),
              std::vector<unsigned char>(pixels, pixels + sizeof(pixels)));
    stbi_image_free(decoded);
}

// Every file of a 7z archive, by its stored name ("/" between folders).
std::map<std::wstring, std::string> ExtractAll(const std::wstring& path)
{
    const ISzAlloc alloc = {SzAlloc, SzFree};
    const ISzAlloc allocTemp = {SzAllocTemp, SzFreeTemp};
    const size_t kInputBufferSize = 1 << 18;
    std::map<std::wstring, std::string> files;

    CFileInStream archive;
    if (InFile_OpenW(&archive.file, path.c_str()) != 0)
        return files;
    FileInStream_CreateVTable(&archive);
    CLookToRead2 look;
    LookToRead2_CreateVTable(&look, False);
    look.buf = static_cast<Byte*>(ISzAlloc_Alloc(&alloc, kInputBufferSize));
    look.bufSize = kInputBufferSize;
    look.realStream = &archive.vt;
    LookToRead2_INIT(&look);
    CrcGenerateTable();

    CSzArEx db;
    SzArEx_Init(&db);
    if (SzArEx_Open(&db, &look.vt, &alloc, &allocTemp) == SZ_OK) {
        UInt32 blockIndex = 0xFFFFFFFF;
        Byte* outBuffer = nullptr;
        size_t outBufferSize = 0;
        for (UInt32 i = 0; i < db.NumFiles; ++i) {
            if (SzArEx_IsDir(&db, i))
                continue;
            std::vector<UInt16> name(SzArEx_GetFileNameUtf16(&db, i, nullptr));
            SzArEx_GetFileNameUtf16(&db, i, name.data());
            size_t offset = 0, size = 0;
            if (SzArEx_Extract(&db, &look.vt, i, &blockIndex, &outBuffer, &outBufferSize, &offset, &size, &alloc,
                               &allocTemp) != SZ_OK)
                break;
            files[std::wstring(name.begin(), name.end() - 1)] =
                std::string(reinterpret_cast<const char*>(outBuffer + offset), size);
        }
        ISzAlloc_Free(&alloc, outBuffer);
    }
    SzArEx_Free(&db, &alloc);
    ISzAlloc_Free(&alloc, look.buf);
    File_Close(&archive.file);
    return files;
}

TEST(LzmaSdk, ExtractsAnArchiveMadeByDebians7zByteForByte)
{
    auto files = ExtractAll(testing_paths::Fixture(L"smoke.7z"));
    ASSERT_EQ(files.size(), 2u);
    std::string readme = testing_paths::ReadFileBytes(testing_paths::Fixture(L"smoke\\readme.txt"));
    std::string data = testing_paths::ReadFileBytes(testing_paths::Fixture(L"smoke\\sub\\data.bin"));
    ASSERT_EQ(data.size(), 200000u);
    EXPECT_EQ(files[L"readme.txt"], readme);
    EXPECT_EQ(files[L"sub/data.bin"], data);
}

TEST(LzmaSdk, MissingArchiveYieldsNothing)
{
    EXPECT_TRUE(ExtractAll(testing_paths::Fixture(L"no-such-archive.7z")).empty());
}

}  // namespace
