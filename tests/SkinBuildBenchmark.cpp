// Building the "Main" window from the embedded skin (parse, build, first layout and paint)
// against parsing the same XML alone with TinyXML (tools/benchmark.sh skin).
#include <tinyxml.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "BenchmarkTiming.h"
#include "DibSection.h"
#include "ExeModule.h"
#include "GdiHandles.h"
#include "VxControl.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr RECT kClient = {0, 0, 1100, 824};

void ParseOnly(const std::string& skin)
{
    TiXmlDocument document;
    document.Parse(skin.c_str(), nullptr, TIXML_ENCODING_LEGACY);
}

// One window's whole start: a manager, the tree built, laid out and painted off screen.
void BuildLayOutPaint(HWND window, HDC target)
{
    VxPaintManager manager;
    manager.Init(window);
    VxDialogBuilder builder;
    VxControl* root = builder.Create(MAKEINTRESOURCEW(100), "Main", VxDialogBuilder::kXmlResource, L"XML", nullptr,
                                     &manager);
    manager.AttachDialog(root);
    if (root) {
        root->SetPos(kClient);
        root->DoPaint(target, kClient);
    }
}

}  // namespace

int wmain()
{
    ExeModule exe;
    const std::string skin = exe.Bytes(L"XML", 100);
    if (skin.empty()) {
        std::printf("Zentarium.exe or its skin is missing\n");
        return 1;
    }
    VxLoadResource::Instance().SetResourceInstance(exe.Get());
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kClient.right, kClient.bottom, nullptr, nullptr,
                                  nullptr, nullptr);
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(kClient.right, kClient.bottom, &bits);
    MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.Get(), bitmap.Get());

    const auto times = benchmark_timing::TimePerCall({
        [&] { ParseOnly(skin); },
        [&] { BuildLayOutPaint(window, dc.Get()); },
    });
    std::printf("skin of %zu bytes, \"Main\" window, median of 9 rounds\n", skin.size());
    std::printf("  TinyXML parse alone:                 %9.1f us\n", times[0] * 1e6);
    std::printf("  parse, build, layout and first paint: %9.1f us  (%.1f x the parse)\n", times[1] * 1e6,
                times[1] / times[0]);
    DestroyWindow(window);
    return 0;
}
