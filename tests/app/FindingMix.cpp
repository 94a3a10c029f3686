#include "FindingMix.h"

#include <cwchar>

namespace finding_mix {

namespace {

std::wstring EventTime(int index)
{
    wchar_t text[40];
    swprintf(text, 40, L"2024-%02d-%02d %02d:%02d:%02d", 1 + index % 12, 1 + index / 12 % 28, index / 336 % 24,
             index / 8064 % 60, index % 60);
    return text;
}

}  // namespace

std::vector<Finding> RealisticMix(int total)
{
    const int crashes = total * 8 / 100;
    const int systemErrors = total * 6 / 100;
    const int dlls = total * 2 / 100;
    const int junk = total - crashes - systemErrors - dlls;
    std::vector<Finding> findings;
    findings.reserve(total);
    for (int i = 0; i < crashes; ++i) {
        const std::wstring app = L"Application" + std::to_wstring(i % 150) + L".exe";
        findings.push_back({0, scan::kEventFinding, app, L"最近一次崩溃：" + EventTime(i), EventTime(i), L""});
    }
    for (int i = 0; i < systemErrors; ++i) {
        const std::wstring source = L"Service" + std::to_wstring(i % 60);
        findings.push_back({1, scan::kEventFinding, source, L"最近一次错误：" + EventTime(i), EventTime(i), L""});
    }
    // The junk check walks one folder after the other.
    for (int i = 0; i < junk; ++i) {
        const std::wstring folder =
            L"C:\\Users\\user\\AppData\\Local\\Temp\\cache" + std::to_wstring(i * 40 / junk);
        findings.push_back({2, scan::kJunkFile, folder, L"",
                            folder + L"\\sub" + std::to_wstring(i % 7) + L"\\entry-" + std::to_wstring(i) + L".tmp",
                            std::to_wstring(4096 + i % 100000)});
    }
    for (int i = 0; i < dlls; ++i) {
        const std::wstring name = L"msvcp" + std::to_wstring(100 + i) + L".dll";
        findings.push_back({3, scan::kDllEntry, name, L"", L"", L"", i % 10 == 0});
    }
    return findings;
}

std::vector<Finding> DistinctMix(int total)
{
    std::vector<Finding> findings;
    findings.reserve(total);
    for (int i = 0; i < total; ++i)
        findings.push_back({0, scan::kEventFinding, L"Application" + std::to_wstring(i) + L".exe",
                            L"最近一次崩溃：" + EventTime(i), EventTime(i), L""});
    return findings;
}

scan::ScanUpdate ToUpdate(const Finding& finding, const scan::CheckTarget& target)
{
    return {target.list, finding.flagged ? target.entry : nullptr, finding.kind, finding.group, finding.description,
            finding.detail, finding.extra};
}

}  // namespace finding_mix
