#include "FileDownload.h"

#include "DownloadLoop.h"
#include "InternetCallThread.h"
#include "TextEncoding.h"
#include "UrlEscape.h"

#include <PathUtils.h>

#include <algorithm>
#include <optional>
#include <type_traits>

namespace {

constexpr DWORD kStatusOk = 200;
// Redirects are followed by hand: WinINet by itself follows a redirect loop hundreds of times.
constexpr DWORD kDownloadFlags = INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RELOAD |
                                 INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr DWORD kPingFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT;

// The wide forms for downloads, the ANSI forms for pings.
template <typename Char>
struct WinInetText;

template <>
struct WinInetText<wchar_t> {
    static HINTERNET Open() { return InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0); }
    static void SetOption(HINTERNET handle, DWORD option, DWORD value)
    {
        InternetSetOptionW(handle, option, &value, sizeof(value));
    }
    static HINTERNET OpenUrl(HINTERNET session, const wchar_t* url, DWORD flags)
    {
        return InternetOpenUrlW(session, url, nullptr, static_cast<DWORD>(-1), flags, 0);
    }
    static BOOL QueryText(HINTERNET reply, DWORD info, wchar_t* text, DWORD* bytes)
    {
        return HttpQueryInfoW(reply, info, text, bytes, nullptr);
    }
    static BOOL Combine(const wchar_t* base, const wchar_t* relative, wchar_t* url, DWORD* length)
    {
        return InternetCombineUrlW(base, relative, url, length, ICU_NO_ENCODE);
    }
};

template <>
struct WinInetText<char> {
    static HINTERNET Open() { return InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0); }
    static void SetOption(HINTERNET handle, DWORD option, DWORD value)
    {
        InternetSetOptionA(handle, option, &value, sizeof(value));
    }
    static HINTERNET OpenUrl(HINTERNET session, const char* url, DWORD flags)
    {
        return InternetOpenUrlA(session, url, nullptr, 0, flags, 0);
    }
    static BOOL QueryText(HINTERNET reply, DWORD info, char* text, DWORD* bytes)
    {
        return HttpQueryInfoA(reply, info, text, bytes, nullptr);
    }
    static BOOL Combine(const char* base, const char* relative, char* url, DWORD* length)
    {
        return InternetCombineUrlA(base, relative, url, length, ICU_NO_ENCODE);
    }
};

bool QueryNumber(HINTERNET reply, DWORD info, DWORD& value)
{
    DWORD size = sizeof(value);
    return HttpQueryInfoW(reply, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

bool IsRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

template <typename Char>
std::optional<std::basic_string<Char>> RedirectTarget(HINTERNET reply, const std::basic_string<Char>& from)
{
    using Api = WinInetText<Char>;
    Char location[INTERNET_MAX_URL_LENGTH] = {};
    DWORD bytes = sizeof(location) - sizeof(Char);
    if (!Api::QueryText(reply, HTTP_QUERY_LOCATION, location, &bytes) || location[0] == 0)
        return std::nullopt;
    Char combined[INTERNET_MAX_URL_LENGTH] = {};
    DWORD length = INTERNET_MAX_URL_LENGTH;
    if (!Api::Combine(from.c_str(), location, combined, &length))
        return std::nullopt;
    std::basic_string<Char> target(combined, length);
    if constexpr (std::is_same_v<Char, wchar_t>)
        target = EscapeUrlAsUtf8(target);
    return target;
}

template <typename Char>
void OpenFollowingRedirects(InternetCallState& state, std::basic_string<Char> url, DWORD flags,
                            const InternetTimeouts& timeouts)
{
    using Api = WinInetText<Char>;
    state.session.Reset(Api::Open());
    if (!state.session)
        return;
    Api::SetOption(state.session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, timeouts.connectMs);
    Api::SetOption(state.session.Get(), INTERNET_OPTION_CONNECT_RETRIES, timeouts.connectRetries);
    Api::SetOption(state.session.Get(), INTERNET_OPTION_SEND_TIMEOUT, timeouts.sendMs);
    Api::SetOption(state.session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, timeouts.receiveMs);
    for (int redirects = 0;; ++redirects) {
        state.reply.Reset(Api::OpenUrl(state.session.Get(), url.c_str(), flags));
        DWORD status = 0;
        if (!state.reply || !QueryNumber(state.reply.Get(), HTTP_QUERY_STATUS_CODE, status))
            return;
        state.status = status;
        std::optional<std::basic_string<Char>> next =
            IsRedirect(status) ? RedirectTarget(state.reply.Get(), url) : std::nullopt;
        if (!next)
            break;
        if (redirects == kMaxRedirects)
            return;
        url = std::move(*next);
    }
    state.opened = true;
}

void QueryLength(InternetCallState& state)
{
    DWORD length = 0;
    state.lengthKnown = QueryNumber(state.reply.Get(), HTTP_QUERY_CONTENT_LENGTH, length);
    state.contentLength = length;
    state.lengthQueryFailed = !state.lengthKnown && GetLastError() != ERROR_HTTP_HEADER_NOT_FOUND;
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

// One InternetReadFile, which under Wine waits until the whole piece or the end has arrived.
bool ReadPiece(InternetCallThread& call, uint32_t limitMs, uint8_t* buffer, uint32_t size, uint32_t& got)
{
    got = 0;
    const auto readFile = [size](InternetCallState& state) {
        state.piece.resize(size);
        DWORD count = 0;
        state.readOk = InternetReadFile(state.reply.Get(), state.piece.data(), size, &count) != FALSE;
        state.piece.resize(state.readOk ? std::min<DWORD>(count, size) : 0);
    };
    if (!call.Run(readFile, limitMs) || !call.State().readOk)
        return false;
    const std::vector<uint8_t>& piece = call.State().piece;
    std::copy(piece.begin(), piece.end(), buffer);
    got = static_cast<uint32_t>(piece.size());
    return true;
}

bool Download(const std::wstring& url, const std::wstring& localPath, const InternetTimeouts& timeouts)
{
    InternetCallThread call;
    const auto open = [url = EscapeUrlAsUtf8(url), timeouts](InternetCallState& state) {
        OpenFollowingRedirects(state, url, kDownloadFlags, timeouts);
        if (state.opened)
            QueryLength(state);
    };
    if (!call.Run(open, timeouts.OpeningLimitMs()))
        return false;
    const InternetCallState& reply = call.State();
    if (!reply.opened || reply.status != kStatusOk || reply.lengthQueryFailed ||
        (reply.lengthKnown && reply.contentLength == 0))
        return false;
    const uint32_t knownLength = reply.lengthKnown ? reply.contentLength : 0;

    EnsureFolderOf(localPath);
    FileHandle file(CreateFileW(localPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const auto read = [&call, &timeouts](uint8_t* buffer, uint32_t size, uint32_t& got) {
        return ReadPiece(call, timeouts.receiveMs, buffer, size, got);
    };
    const auto write = [&file](const uint8_t* data, uint32_t size) { return WriteAll(file.Get(), data, size); };
    return ReceiveDownload(knownLength, read, write);
}

}  // namespace

bool DownloadToFile(const std::wstring& url, const std::wstring& localPath, const InternetTimeouts& timeouts)
{
    try {
        return Download(url, localPath, timeouts);
    } catch (const std::exception&) {
        // No memory or no thread for the download: it fails like any other.
        return false;
    }
}

bool PingUrl(const std::wstring& url, const InternetTimeouts& timeouts)
{
    try {
        InternetCallThread call;
        const auto open = [url = WideToCodePage(url, CP_ACP), timeouts](InternetCallState& state) {
            OpenFollowingRedirects(state, url, kPingFlags, timeouts);
        };
        return call.Run(open, timeouts.OpeningLimitMs()) && call.State().opened;
    } catch (const std::exception&) {
        return false;
    }
}
