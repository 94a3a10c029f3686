#include "VendorServer.h"

#include <TestPaths.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vendor_server {

namespace {

struct Ports {
    int http = 0;
    int https = 0;
};

const Ports& ReadPorts()
{
    static const Ports ports = [] {
        Ports read;
        std::istringstream text(testing_paths::ReadFileBytes(Folder() + L"ports"));
        text >> read.http >> read.https;
        return read;
    }();
    return ports;
}

std::wstring LogPath() { return Folder() + L"requests.log"; }
std::wstring CataloguePath() { return Folder() + L"runtimelib.json"; }

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

std::wstring Folder() { return testing_paths::Fixture(L"vendor\\"); }
std::wstring HttpBase() { return L"http://127.0.0.1:" + std::to_wstring(ReadPorts().http); }
std::wstring HttpsBase() { return L"https://127.0.0.1:" + std::to_wstring(ReadPorts().https); }
bool Running() { return ReadPorts().http > 0 && ReadPorts().https > 0; }

RequestLog::RequestLog() : start_(testing_paths::ReadFileBytes(LogPath()).size()) {}

std::vector<std::string> RequestLog::NewLines() const
{
    const std::string text = testing_paths::ReadFileBytes(LogPath());
    std::vector<std::string> lines;
    std::istringstream stream(text.size() > start_ ? text.substr(start_) : std::string());
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

ScopedCatalogue::ScopedCatalogue(const std::string& json)
    : previous_(testing_paths::ReadFileBytes(CataloguePath()))
{
    WriteFile(CataloguePath(), json);
}

ScopedCatalogue::~ScopedCatalogue() { WriteFile(CataloguePath(), previous_); }

}  // namespace vendor_server
