// The skin Zentarium.exe embeds: GBK with CRLF line ends, the same text as resources/skin.xml,
// and the three windows with the fonts, defaults, controls, texts and start states the
// application relies on.

#include <gtest/gtest.h>
#include <tinyxml.h>
#include <windows.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ExeModule.h"

namespace {

constexpr UINT kGbk = 936;
constexpr int kSkinSourceId = 1;  // SkinSource.rc

// Strict: bytes that are not valid in the code page give an empty string.
std::wstring FromCodePage(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), length);
    return text;
}

std::wstring Attribute(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? FromCodePage(value, kGbk) : std::wstring();
}

bool IsResourceElement(const TiXmlElement* element)
{
    return element->ValueStr() == "Font" || element->ValueStr() == "Default";
}

// Every control element below `parent`, depth first in document order.
void CollectControls(const TiXmlElement* parent, std::vector<const TiXmlElement*>& controls)
{
    for (const TiXmlElement* child = parent->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (IsResourceElement(child))
            continue;
        controls.push_back(child);
        CollectControls(child, controls);
    }
}

std::vector<const TiXmlElement*> Controls(const TiXmlElement* window)
{
    std::vector<const TiXmlElement*> controls;
    CollectControls(window, controls);
    return controls;
}

const TiXmlElement* ById(const TiXmlElement* window, int id)
{
    for (const TiXmlElement* control : Controls(window)) {
        int value = 0;
        if (control->QueryIntAttribute("id", &value) == TIXML_SUCCESS && value == id)
            return control;
    }
    return nullptr;
}

using IdTable = std::map<int, std::string>;  // control id -> element name

const IdTable kMainIds = {
    {100, "Button"},         {101, "Button"},           {102, "Button"},      {103, "VerticalLayout"},
    {104, "Button"},         {105, "Button"},           {106, "HorizontalLayout"}, {109, "Button"},
    {110, "Button"},         {111, "Button"},           {112, "Button"},      {113, "Button"},
    {114, "HorizontalLayout"}, {115, "Control"},        {116, "Button"},      {117, "LeftOption"},
    {118, "LeftOption"},     {119, "LeftOption"},       {120, "LeftOption"},  {121, "CheckResult"},
    {122, "CheckResult"},    {123, "CheckResult"},      {124, "CheckResult"}, {125, "HorizontalLayout"},
    {126, "Progress"},       {127, "Control"},          {128, "HorizontalLayout"}, {129, "Control"},
    {130, "Button"},         {131, "VerticalLayout"},   {132, "VerticalLayout"}, {133, "VerticalLayout"},
    {134, "Button"},         {135, "Control"},          {136, "Control"}};
const IdTable kDetailsIds = {
    {100, "Button"},  {101, "VerticalLayout"}, {102, "Control"}, {103, "Button"},  {104, "VerticalLayout"},
    {105, "Control"}, {106, "Control"},        {107, "Button"},  {108, "Control"}, {109, "Control"},
    {110, "VerticalLayout"}};
const IdTable kKefuIds = {{100, "Button"}, {102, "Button"}};

// Every text attribute of a window, in document order.
const std::vector<std::wstring> kMainTexts = {
    L"DLL错误修复工具",
    L"客服",
    L"欢迎使用DLL错误修复工具",
    L"专业的DLL修复工具，快速解决各种软件DLL崩溃报错的问题",
    L"以下为常见的DLL错误",
    L"1.玩游戏时提示缺少D3D***.dll文件或文件损坏",
    L"2.系统提示缺少或找不到MSVC**.dll文件",
    L"3.系统提示缺少或找不到qt5core.dll文件",
    L"4.游戏时提示无法启动此程序，缺少XINPUT**.dll",
    L"5.提示无法启动此程序，因为计算机缺失***.dll",
    L"一键修复DLL错误",
    L"",
    L"异常扫描中（ 00.0 % ）",
    L"返回首页",
    L"检测到共有",
    L"0",
    L"项问题需要立即修复",
    L"立即修复",
    L"DLL错误修复",
    L"软件将自动扫描系统内所有的关键DLL文件",
    L"第三方软件在安装或运行期间可能会替换或删除系统原有的DLL，导致应用程序无法加载正确版本",
    L"正在修复以下运行库",
    L"DLL错误修复完成",
    L"未能下载运行库，请检查网络连接后重新打开本软件再试",
    L"修复后问题依然存在？请点击联系客服"};
const std::vector<std::wstring> kDetailsTexts = {
    L"日志报告",
    L"此文件是微软VC运行时库的一个重要文件，也是Windows系统的一个重要文件，许多游戏或软件都需要它的支持，"
    L"没有这个文件将会导致一些游戏和软件无法运行。",
    L"修复",
    L"修复",
    L"总问题数:",
    L"0"};
const std::vector<std::wstring> kKefuTexts = {L"客服反馈", L"在线客服"};

struct FontSpec {
    const char* id;
    const char* size;
    const char* style;  // the one Boolean attribute the font sets to "true", or null
};
constexpr FontSpec kFonts[] = {
    {"normal12", "12", "default"},  {"normal14", "14", nullptr},      {"normal16", "16", nullptr},
    {"bold16", "16", "bold"},       {"underline16", "16", "underline"}, {"normal18", "18", nullptr},
    {"underline18", "18", "underline"}, {"bold18", "18", "bold"},    {"normal19", "19", nullptr},
    {"normal20", "20", nullptr},    {"bold20", "20", "bold"},         {"normal22", "22", nullptr},
    {"bold24", "24", "bold"},       {"bold30", "30", "bold"},         {"underline30", "30", "underline"}};
constexpr size_t kMainFontCount = std::size(kFonts);
constexpr size_t kOtherFontCount = kMainFontCount - 1;  // underline30 serves the main window only

constexpr char kScrollBarDefault[] =
    R"(dispatch="mousewheel" width="15" linesize="30" showbutton1="false" showbutton2="false")";

class SkinResource : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(exe_.Get(), nullptr) << "cannot open Zentarium.exe";
        bytes_ = exe_.Bytes(L"XML", 100);
        ASSERT_FALSE(bytes_.empty()) << "no XML resource 100";
        document_.Parse(bytes_.c_str());
        ASSERT_FALSE(document_.Error()) << document_.ErrorDesc() << " at row " << document_.ErrorRow();
        ASSERT_NE(document_.RootElement(), nullptr);
    }

    const TiXmlElement* Window(const char* name) const
    {
        for (const TiXmlElement* window = document_.RootElement()->FirstChildElement("Window"); window;
             window = window->NextSiblingElement("Window")) {
            if (window->Attribute("name") && std::string(window->Attribute("name")) == name)
                return window;
        }
        return nullptr;
    }

    ExeModule exe_;
    std::string bytes_;
    TiXmlDocument document_;
};

TEST_F(SkinResource, IsGbkTextWithCrlfLineEnds)
{
    EXPECT_EQ(bytes_.rfind("<?xml", 0), 0u);
    EXPECT_NE(bytes_.substr(0, bytes_.find('\n')).find(R"(encoding="GBK")"), std::string::npos);
    // UTF-8 bytes of "欢" would mean the build embedded the source unconverted.
    EXPECT_EQ(bytes_.find("\xE6\xAC\xA2"), std::string::npos);
    EXPECT_FALSE(FromCodePage(bytes_, kGbk).empty()) << "not valid code page 936 text";
    size_t lineFeeds = 0;
    for (size_t i = 0; i < bytes_.size(); ++i) {
        if (bytes_[i] == '\n') {
            ++lineFeeds;
            EXPECT_TRUE(i > 0 && bytes_[i - 1] == '\r') << "bare line feed at byte " << i;
        }
    }
    EXPECT_GT(lineFeeds, 100u);
}

TEST_F(SkinResource, DecodesFromCodePage936ToTheTextOfTheSkinSource)
{
    std::wstring source = FromCodePage(OwnResourceBytes(L"SKINSOURCE", kSkinSourceId), CP_UTF8);
    ASSERT_FALSE(source.empty()) << "the test exe carries no valid UTF-8 copy of resources/skin.xml";
    // The source declares UTF-8 and may have either line end; the exe's copy says GBK and uses CRLF.
    std::wstring expected;
    for (wchar_t c : source) {
        if (c == L'\n')
            expected += L'\r';
        if (c != L'\r')
            expected += c;
    }
    const std::wstring utf8 = L"encoding=\"UTF-8\"";
    size_t declaration = expected.find(utf8);
    ASSERT_NE(declaration, std::wstring::npos);
    expected.replace(declaration, utf8.size(), L"encoding=\"GBK\"");

    std::wstring embedded = FromCodePage(bytes_, kGbk);
    size_t same = 0;
    while (same < embedded.size() && same < expected.size() && embedded[same] == expected[same])
        ++same;
    EXPECT_EQ(embedded.size(), expected.size());
    EXPECT_EQ(same, expected.size()) << "first difference at character " << same;
}

TEST_F(SkinResource, RootHoldsTheMainReportAndServiceWindowsInOrder)
{
    EXPECT_EQ(document_.RootElement()->ValueStr(), "Root");
    std::vector<std::string> names;
    for (const TiXmlElement* child = document_.RootElement()->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        EXPECT_EQ(child->ValueStr(), "Window");
        names.push_back(child->Attribute("name") ? child->Attribute("name") : "");
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Main", "Details", "Kefu"}));

    const TiXmlElement* main = Window("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_STREQ(main->Attribute("mininfo"), "1100,824");
    for (const char* name : {"Main", "Details", "Kefu"}) {
        SCOPED_TRACE(name);
        const TiXmlElement* window = Window(name);
        ASSERT_NE(window, nullptr);
        EXPECT_STREQ(window->Attribute("caption"), "0,0,0,70");
        EXPECT_STREQ(window->Attribute("roundcorner"), "2,2");
    }
}

TEST_F(SkinResource, EveryWindowRegistersTheFontListAndTheScrollBarDefault)
{
    for (const char* name : {"Main", "Details", "Kefu"}) {
        SCOPED_TRACE(name);
        const TiXmlElement* window = Window(name);
        ASSERT_NE(window, nullptr);
        std::vector<const TiXmlElement*> fonts;
        std::vector<const TiXmlElement*> defaults;
        std::vector<const TiXmlElement*> roots;
        for (const TiXmlElement* child = window->FirstChildElement(); child; child = child->NextSiblingElement()) {
            if (child->ValueStr() == "Font")
                fonts.push_back(child);
            else if (child->ValueStr() == "Default")
                defaults.push_back(child);
            else
                roots.push_back(child);
        }
        ASSERT_EQ(fonts.size(), std::string(name) == "Main" ? kMainFontCount : kOtherFontCount);
        for (size_t i = 0; i < fonts.size(); ++i) {
            const FontSpec& expected = kFonts[i];
            SCOPED_TRACE(expected.id);
            EXPECT_STREQ(fonts[i]->Attribute("font"), expected.id);
            EXPECT_EQ(Attribute(fonts[i], "name"), L"微软雅黑");
            EXPECT_STREQ(fonts[i]->Attribute("size"), expected.size);
            for (const char* style : {"default", "bold", "underline", "italic", "strikeout"}) {
                bool styled = expected.style && std::string(expected.style) == style;
                EXPECT_STREQ(fonts[i]->Attribute(style), styled ? "true" : nullptr) << style;
            }
        }
        ASSERT_EQ(defaults.size(), 1u);
        EXPECT_STREQ(defaults[0]->Attribute("name"), "VScrollBar1");
        EXPECT_STREQ(defaults[0]->Attribute("value"), kScrollBarDefault);
        ASSERT_EQ(roots.size(), 1u) << "a window has one root control";
        EXPECT_EQ(roots[0]->ValueStr(), "VerticalLayout");
    }
}

TEST_F(SkinResource, EachWindowHasExactlyTheControlIdsTheApplicationLooksUp)
{
    const std::pair<const char*, const IdTable*> windows[] = {
        {"Main", &kMainIds}, {"Details", &kDetailsIds}, {"Kefu", &kKefuIds}};
    for (const auto& [name, expected] : windows) {
        SCOPED_TRACE(name);
        const TiXmlElement* window = Window(name);
        ASSERT_NE(window, nullptr);
        IdTable found;
        for (const TiXmlElement* control : Controls(window)) {
            int id = 0;
            if (control->QueryIntAttribute("id", &id) != TIXML_SUCCESS)
                continue;
            EXPECT_TRUE(found.emplace(id, control->ValueStr()).second) << "id " << id << " used twice";
        }
        EXPECT_EQ(found, *expected);
    }
}

TEST_F(SkinResource, EveryTextIsTheExactChineseText)
{
    const std::pair<const char*, const std::vector<std::wstring>*> windows[] = {
        {"Main", &kMainTexts}, {"Details", &kDetailsTexts}, {"Kefu", &kKefuTexts}};
    for (const auto& [name, expected] : windows) {
        SCOPED_TRACE(name);
        const TiXmlElement* window = Window(name);
        ASSERT_NE(window, nullptr);
        std::vector<std::wstring> texts;
        for (const TiXmlElement* control : Controls(window)) {
            if (control->Attribute("text"))
                texts.push_back(Attribute(control, "text"));
        }
        EXPECT_EQ(texts, *expected);
    }
}

TEST_F(SkinResource, OnlyTheHomePageShowsAtStartAndRepairNowStartsDisabled)
{
    const TiXmlElement* main = Window("Main");
    ASSERT_NE(main, nullptr);
    for (int page : {114, 131, 133}) {
        const TiXmlElement* control = ById(main, page);
        ASSERT_NE(control, nullptr) << page;
        EXPECT_STREQ(control->Attribute("visible"), "false") << page;
    }
    ASSERT_NE(ById(main, 103), nullptr);
    EXPECT_EQ(ById(main, 103)->Attribute("visible"), nullptr);

    for (const char* name : {"Main", "Details", "Kefu"}) {
        for (const TiXmlElement* control : Controls(Window(name))) {
            int id = 0;
            control->QueryIntAttribute("id", &id);
            bool repairNow = std::string(name) == "Main" && id == 130;
            EXPECT_STREQ(control->Attribute("enabled"), repairNow ? "false" : nullptr) << name << " id " << id;
        }
    }
}

TEST_F(SkinResource, TheRepairAndReportListsScrollWithTheSharedDefault)
{
    const TiXmlElement* repairList = ById(Window("Main"), 132);
    const TiXmlElement* reportList = ById(Window("Details"), 110);
    ASSERT_NE(repairList, nullptr);
    ASSERT_NE(reportList, nullptr);
    EXPECT_STREQ(repairList->Attribute("vscrollbar"), "VScrollBar1");
    EXPECT_STREQ(reportList->Attribute("vscrollbar"), "VScrollBar1");
}

TEST_F(SkinResource, EveryImageTheSkinNamesIsAPngResourceOfTheExe)
{
    const std::regex resource(R"(res='(\d+)' restype='PNG')");
    int references = 0;
    for (const char* name : {"Main", "Details", "Kefu"}) {
        for (const TiXmlElement* control : Controls(Window(name))) {
            const char* image = control->Attribute("normalimage");
            if (!image)
                continue;
            std::cmatch match;
            ASSERT_TRUE(std::regex_search(image, match, resource)) << image;
            int id = std::stoi(match[1].str());
            EXPECT_NE(FindResourceW(exe_.Get(), MAKEINTRESOURCEW(id), L"PNG"), nullptr) << name << " image " << id;
            ++references;
        }
    }
    EXPECT_GT(references, 10);
}

}  // namespace
