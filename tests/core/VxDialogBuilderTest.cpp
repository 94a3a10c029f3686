#include "VxDialogBuilder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "VxButton.h"
#include "VxContainer.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

// Counts what the callback made and what was destroyed, so leaks and stray builds show.
struct Census {
    int made = 0;
    int destroyed = 0;
    std::vector<std::wstring> askedFor;
};

class ProbeControl : public VxContainer {
public:
    explicit ProbeControl(Census& census) : census_(census) { ++census_.made; }
    ~ProbeControl() override { ++census_.destroyed; }

private:
    Census& census_;
};

class ProbeCallback : public IDialogBuilderCallback {
public:
    explicit ProbeCallback(Census& census) : census_(census) {}
    VxControl* CreateCustomControl(const wchar_t* name) override
    {
        census_.askedFor.push_back(name);
        return std::wstring(name) == L"Probe" ? new ProbeControl(census_) : nullptr;
    }

private:
    Census& census_;
};

// A plain window for the paint manager, so the Window element's attributes apply.
class PlainWindow {
public:
    PlainWindow() : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)) {}
    ~PlainWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::unique_ptr<VxControl> BuildText(const std::wstring& xml, const char* window, VxPaintManager* manager,
                                     IDialogBuilderCallback* callback = nullptr)
{
    VxDialogBuilder builder;
    return std::unique_ptr<VxControl>(
        builder.Create(xml.c_str(), window, VxDialogBuilder::kXmlText, nullptr, callback, manager));
}

std::wstring Window(const std::wstring& attributes, const std::wstring& body)
{
    return L"<Root><Window name=\"Main\" " + attributes + L">" + body + L"</Window></Root>";
}

}  // namespace

TEST(VxDialogBuilder, FontsFollowTheBooleanAndDefaultRules)
{
    VxPaintManager manager;
    auto root = BuildText(Window(L"", L"<Font font=\"a\" name=\"Tahoma\" default=\"True\"/>"
                                      L"<Font font=\"b\" name=\"Tahoma\" size=\"20\" bold=\"true\" default=\"true\"/>"
                                      L"<Font font=\"nameless\" size=\"30\"/>"
                                      L"<Control/>"),
                          "Main", &manager);
    ASSERT_TRUE(root);
    VxFontInfo* a = manager.FindFont(L"a");
    VxFontInfo* b = manager.FindFont(L"b");
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(a->size, 12);
    EXPECT_EQ(b->size, 20);
    EXPECT_TRUE(b->bold);
    EXPECT_EQ(manager.GetDefaultFont(), b) << "only exactly \"true\" makes a default";
    EXPECT_EQ(manager.FindFont(L"nameless"), nullptr);
}

TEST(VxDialogBuilder, ResourcesAreRegisteredBeforeAnyControlWhereverTheyStand)
{
    VxPaintManager manager;
    auto root = BuildText(Window(L"", L"<VerticalLayout><Button text=\"own\"/><Button/></VerticalLayout>"
                                      L"<Default name=\"Button\" value=\"text=&quot;first&quot;\"/>"
                                      L"<Default name=\"Button\" value=\"text=&quot;second&quot; width=&quot;30&quot;\"/>"
                                      L"<Font font=\"late\" name=\"Tahoma\"/>"),
                          "Main", &manager);
    ASSERT_TRUE(root);
    auto* layout = static_cast<VxContainer*>(root->GetInterface(kClassContainer));
    ASSERT_TRUE(layout);
    ASSERT_EQ(layout->GetCount(), 2);
    EXPECT_EQ(layout->GetItemAt(0)->GetText(), L"own") << "the element's own value beats the default list";
    EXPECT_EQ(layout->GetItemAt(0)->GetFixedWidth(), 30);
    EXPECT_EQ(layout->GetItemAt(1)->GetText(), L"second") << "a later Default of the same name replaces";
    EXPECT_TRUE(manager.FindFont(L"late"));
}

TEST(VxDialogBuilder, WindowAttributesApplyOnlyWhenTheManagerHasItsWindow)
{
    const std::wstring xml = Window(L"sizebox=\"4,4,4,4\" mininfo=\"1100,824\" caption=\"0,0,0,70\" roundcorner=\"2,2\"",
                                    L"<Control/>");
    VxPaintManager detached;
    BuildText(xml, "Main", &detached);
    EXPECT_EQ(detached.GetMinWindow().cx, 0);

    PlainWindow window;
    VxPaintManager manager;
    manager.Init(window.Get());
    ASSERT_TRUE(BuildText(xml, "Main", &manager));
    const RECT sizeBox = manager.GetSizeBox();
    EXPECT_EQ(sizeBox.left, 4);
    EXPECT_EQ(sizeBox.bottom, 4);
    EXPECT_EQ(manager.GetSizeBoxRounder(), 0);
    EXPECT_EQ(manager.GetMinWindow().cx, 1100);
    EXPECT_EQ(manager.GetMinWindow().cy, 824);
    EXPECT_EQ(manager.GetCaptionRect().bottom, 70);
    EXPECT_EQ(manager.GetRoundCorner().cx, 2);
}

TEST(VxDialogBuilder, WindowLookupByName)
{
    VxPaintManager manager;
    const std::wstring xml = L"<Root><Window name=\"Kefu\"><Control text=\"k\"/></Window>"
                             L"<Window name=\"Main\"><Control text=\"m\"/></Window></Root>";
    auto main = BuildText(xml, "Main", &manager);
    ASSERT_TRUE(main);
    EXPECT_EQ(main->GetText(), L"m");
    EXPECT_FALSE(BuildText(xml, "Details", &manager)) << "no Window carries that name";
    EXPECT_FALSE(BuildText(xml, nullptr, &manager)) << "Root itself is no window";
    auto bare = BuildText(L"<Window><Control text=\"bare\"/></Window>", nullptr, &manager);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->GetText(), L"bare");
}

TEST(VxDialogBuilder, UnknownAndWrongCaseNamesGoToTheCallback)
{
    Census census;
    ProbeCallback callback(census);
    auto root = BuildText(Window(L"", L"<VerticalLayout><button/><Probe text=\"p\"/><Edit/></VerticalLayout>"),
                          "Main", nullptr, &callback);
    ASSERT_TRUE(root);
    EXPECT_EQ(census.askedFor, (std::vector<std::wstring>{L"button", L"Probe", L"Edit"}));
    auto* layout = static_cast<VxContainer*>(root->GetInterface(kClassContainer));
    ASSERT_EQ(layout->GetCount(), 1);
    EXPECT_EQ(layout->GetItemAt(0)->GetText(), L"p");
}

TEST(VxDialogBuilder, ALevelUnderANonContainerIsNotBuiltAndLeaksNothing)
{
    Census census;
    ProbeCallback callback(census);
    {
        auto root = BuildText(Window(L"", L"<Progress><Probe/><Probe/></Progress><Probe/>"), "Main", nullptr, &callback);
        ASSERT_TRUE(root);
        EXPECT_EQ(root->GetClass(), static_cast<UINT>(kClassProgress));
    }
    EXPECT_EQ(census.made, census.destroyed);
    EXPECT_LE(census.made, 1) << "only the first child of the non-container is ever made";
}

TEST(VxDialogBuilder, MissingSourcesGiveNull)
{
    VxPaintManager manager;
    VxDialogBuilder builder;
    EXPECT_FALSE(builder.Create(MAKEINTRESOURCEW(4242), "Main", VxDialogBuilder::kXmlResource, L"XML", nullptr, &manager));
    EXPECT_FALSE(builder.Create(L"Z:\\no\\such\\skin.xml", "Main", VxDialogBuilder::kXmlFile, nullptr, nullptr, &manager));
    EXPECT_FALSE(builder.Create(L"<Window><Control/></Window>", nullptr, 7, nullptr, nullptr, &manager));
    EXPECT_FALSE(builder.Create(nullptr, nullptr, VxDialogBuilder::kXmlText, nullptr, nullptr, &manager));
}

TEST(VxDialogBuilder, HostileDocumentsBuildNothingOrWhatTheyCan)
{
    VxPaintManager manager;
    EXPECT_FALSE(BuildText(L"", "Main", &manager));
    EXPECT_FALSE(BuildText(L"this is not xml", "Main", &manager));
    EXPECT_FALSE(BuildText(L"<Root><Window name=\"Main\"><Control text=\"cut", "Main", &manager));
    EXPECT_FALSE(BuildText(L"<Root><Other/></Root>", "Main", &manager));

    std::wstring deep = L"<Window>";
    for (int i = 0; i < 100000; ++i)
        deep += L"<VerticalLayout>";
    EXPECT_FALSE(BuildText(deep, nullptr, &manager)) << "refused before the recursive parser sees it";

    const std::wstring huge(1 << 20, L'9');
    auto absurd = BuildText(Window(L"", L"<VerticalLayout width=\"-5\" height=\"99999999999\" padding=\"" + huge +
                                        L"\" text=\"" + huge + L"\" inset=\"1,2\"/>"),
                            "Main", &manager);
    ASSERT_TRUE(absurd);
    EXPECT_EQ(absurd->GetText().size(), huge.size());
    EXPECT_EQ(absurd->GetFixedWidth(), 0);
}

TEST(VxDialogBuilder, GbkSkinFileKeepsItsChineseTextsUnderAnyCodePage)
{
    const std::wstring text = L"一键修复DLL错误";
    const std::wstring xml = Window(L"", L"<Control text=\"" + text + L"\"/>");
    const int length = WideCharToMultiByte(936, 0, xml.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(length - 1), '\0');
    WideCharToMultiByte(936, 0, xml.c_str(), -1, gbk.data(), length, nullptr, nullptr);
    const std::wstring path = TempPath(L"zentarium-gbk-skin.xml");
    ASSERT_TRUE(WriteBytes(path, gbk));

    VxPaintManager manager;
    VxDialogBuilder builder;
    std::unique_ptr<VxControl> root(
        builder.Create(path.c_str(), "Main", VxDialogBuilder::kXmlFile, nullptr, nullptr, &manager));
    DeleteFileW(path.c_str());
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetText(), text) << "code page " << GetACP();
}

TEST(VxDialogBuilder, WideTextSourceIsLossless)
{
    // Neither GBK nor code page 1252 has these characters.
    const std::wstring text = L"한글 \U0001F600 ß€";
    VxPaintManager manager;
    auto root = BuildText(Window(L"", L"<Control text=\"" + text + L"\"/>"), "Main", &manager);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetText(), text);
}
