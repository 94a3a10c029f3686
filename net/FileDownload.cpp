#include "FileDownload.h"

#include "DownloadLoop.h"
#include "InternetHandle.h"
#include "TextEncoding.h"

#include <PathUtils.h>

namespace {

constexpr DWORD kConnectTimeoutMs = 2000;
constexpr DWORD kConnectRetries = 3;
constexpr DWORD kStatusOk = 200;

template <typename SetOption>
void SetConnectOptions(HINTERNET session, SetOption setOption)
{
    DWORD timeout = kConnectTimeoutMs;
    DWORD retries = kConnectRetries;
    setOption(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    setOption(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
}

bool QueryNumber(HINTERNET file, DWORD info, DWORD& value)
{
    DWORD size = sizeof(value);
    return HttpQueryInfoW(file, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

void EnsureFolderOf(const std::wstring& localPath)
{
    const size_t slash = localPath.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return;
    const std::wstring folder = localPath.substr(0, slash + 1);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        paths::CreateFolderWithParents(folder);
}

bool WriteAll(HANDLE file, const uint8_t* data, uint32_t size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool DownloadToFile(const std::wstring& url, const std::wstring& localPath)
{
    InternetHandle session(
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return false;
    SetConnectOptions(session.Get(), InternetSetOptionW);
    InternetHandle reply(InternetOpenUrlW(session.Get(), url.c_str(), nullptr,
                                          static_cast<DWORD>(-1), INTERNET_FLAG_KEEP_CONNECTION, 0));
    if (!reply)
        return false;
    DWORD status = 0;
    if (!QueryNumber(reply.Get(), HTTP_QUERY_STATUS_CODE, status) || status != kStatusOk)
        return false;
    DWORD knownLength = 0;
    if (!QueryNumber(reply.Get(), HTTP_QUERY_CONTENT_LENGTH, knownLength)) {
        if (GetLastError() != ERROR_HTTP_HEADER_NOT_FOUND)
            return false;
        knownLength = 0;
    } else if (knownLength == 0) {
        return false;
    }

    EnsureFolderOf(localPath);
    FileHandle file(CreateFileW(localPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const auto read = [&reply](uint8_t* buffer, uint32_t size, uint32_t& got) {
        DWORD count = 0;
        const bool ok = InternetReadFile(reply.Get(), buffer, size, &count) != FALSE;
        got = count;
        return ok;
    };
    const auto write = [&file](const uint8_t* data, uint32_t size) {
        return WriteAll(file.Get(), data, size);
    };
    return ReceiveDownload(knownLength, read, write);
}

bool PingUrl(const std::wstring& url)
{
    InternetHandle session(
        InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return false;
    SetConnectOptions(session.Get(), InternetSetOptionA);
    const std::string ansiUrl = WideToCodePage(url, CP_ACP);
    InternetHandle reply(InternetOpenUrlA(session.Get(), ansiUrl.c_str(), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    return reply.Valid();
}
