#include "NqWinHttp.h"

#include "BodyDecoder.h"
#include "RequestHeaders.h"
#include "SystemCookies.h"
#include "TextEncoding.h"
#include "WinHttpHandle.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <new>
#include <optional>

namespace {

constexpr DWORD kAddOrReplace = WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE;
// Unknown authority, wrong usage, wrong name, expired, and 0x80: certificates never stop a request.
constexpr DWORD kIgnoreCertificateErrors = 0x3380;
constexpr DWORD kDocumentedCertificateFlags = 0x3300;
constexpr int kStatusOk = 200;
constexpr int kStatusFound = 302;

bool Signalled(HANDLE event)
{
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

void SplitPostUrl(std::wstring& url, std::wstring& body)
{
    if (!body.empty())
        return;
    const size_t at = url.find(L'@');
    if (at == std::wstring::npos)
        return;
    body = url.substr(at + 1);
    url.resize(at);
}

// The strings WinHttpGetIEProxyConfigForCurrentUser hands out belong to the caller.
struct IeProxyConfig {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
    IeProxyConfig(const IeProxyConfig&) = delete;
    IeProxyConfig& operator=(const IeProxyConfig&) = delete;
    IeProxyConfig() = default;
    ~IeProxyConfig()
    {
        for (LPWSTR text : {config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass}) {
            if (text)
                GlobalFree(text);
        }
    }
};

std::wstring CurrentUserProxy()
{
    IeProxyConfig proxy;
    if (!WinHttpGetIEProxyConfigForCurrentUser(&proxy.config) || !proxy.config.lpszProxy)
        return {};
    return proxy.config.lpszProxy;
}

WinHttpHandle OpenSession(const std::wstring& userAgent)
{
    const std::wstring proxy = CurrentUserProxy();
    if (!proxy.empty()) {
        WinHttpHandle session(WinHttpOpen(userAgent.c_str(), WINHTTP_ACCESS_TYPE_NAMED_PROXY,
                                          proxy.c_str(), L"<local>", 0));
        if (session)
            return session;
    }
    return WinHttpHandle(WinHttpOpen(userAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
}

std::optional<std::wstring> QueryHeader(HINTERNET request, DWORD info, DWORD* index = nullptr)
{
    DWORD size = 0;
    WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                        &size, index);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             index))
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    return text;
}

std::wstring HeaderText(HINTERNET request, DWORD info)
{
    return QueryHeader(request, info).value_or(std::wstring());
}

void SetDwordOption(HINTERNET handle, DWORD option, DWORD value)
{
    WinHttpSetOption(handle, option, &value, sizeof(value));
}

void SetTimeout(HINTERNET handle, DWORD option, int milliseconds)
{
    if (milliseconds > 0)
        SetDwordOption(handle, option, static_cast<DWORD>(milliseconds));
}

bool TryGrow(std::vector<uint8_t>& buffer, size_t extra)
{
    try {
        buffer.resize(buffer.size() + extra);
        return true;
    } catch (const std::bad_alloc&) {
        // A body larger than memory fails the attempt instead of ending the process.
        return false;
    }
}

std::wstring ReceivingText(int percent)
{
    wchar_t text[64] = {};
    swprintf(text, std::size(text), L"正在接收数据(%d%%) ...", percent);
    return text;
}

}  // namespace

struct NqWinHttp::Target {
    std::wstring host;
    std::wstring path;  // path and extra info
    INTERNET_PORT port = 0;
    bool secure = false;
};

NqWinHttp::NqWinHttp() : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

std::wstring NqWinHttp::StatusText() const
{
    std::lock_guard guard(lock_);
    return statusText_;
}

void NqWinHttp::SetStatus(std::wstring text)
{
    std::lock_guard guard(lock_);
    statusText_ = std::move(text);
}

void NqWinHttp::SetListener(NqWinHttpListener* listener)
{
    std::lock_guard guard(lock_);
    listener_ = listener;
}

bool NqWinHttp::Request(HANDLE stopEvent, std::wstring url, std::wstring body)
{
    deadline_ = settings_.overallTimeoutMs > 0 ? GetTickCount64() + settings_.overallTimeoutMs : 0;
    try {
        return RequestUntilDone(stopEvent, std::move(url), std::move(body));
    } catch (const std::bad_alloc&) {
        // The attempt in progress has failed; no listener or retry is asked to allocate more.
        settings_.extraHeaders.clear();
        return false;
    }
}

bool NqWinHttp::RequestUntilDone(HANDLE stopEvent, std::wstring url, std::wstring body)
{
    retryCount_ = 0;
    bool firstAttempt = true;
    Attempt result = Attempt::Failed;
    for (;;) {
        SplitPostUrl(url, body);
        if (firstAttempt)
            TakeSystemCookies(url);
        firstAttempt = false;
        result = RunAttempt(stopEvent, url, body);
        if (result != Attempt::Complete)
            SetStatus(L"已停止");
        if (result == Attempt::Failed && retryCount_ < retryLimit_ && !PastDeadline()) {
            ++retryCount_;
            continue;
        }
        if (result == Attempt::Stopped)
            break;
        std::wstring next = NotifyFinished(result == Attempt::Failed, stopEvent);
        if (next.empty() || PastDeadline())
            break;
        url = std::move(next);
        body.clear();
        retryCount_ = 0;
    }
    settings_.extraHeaders.clear();
    return result == Attempt::Complete;
}

std::string NqWinHttp::BodyAsNarrowString()
{
    if (!response_.decoded) {
        response_.decoded = true;
        response_.body = DecodeBody(std::move(response_.body), response_.contentEncoding);
    }
    return NarrowTextUpToZero(response_.body);
}

bool NqWinHttp::PastDeadline() const
{
    return deadline_ != 0 && GetTickCount64() >= deadline_;
}

// A WinHTTP time-out no longer than what is left of the call; at least 1 ms, since 0 would mean
// "no time-out" to WinHTTP.
int NqWinHttp::RemainingMs(int timeoutMs) const
{
    if (deadline_ == 0)
        return timeoutMs;
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG left = deadline_ > now ? deadline_ - now : 1;
    if (timeoutMs <= 0)
        return static_cast<int>(std::min<ULONGLONG>(left, INT_MAX));
    return static_cast<int>(std::min<ULONGLONG>(left, static_cast<ULONGLONG>(timeoutMs)));
}

void NqWinHttp::TakeSystemCookies(const std::wstring& url)
{
    const std::wstring cookies = SystemCookiesFor(url);
    if (!cookies.empty())
        cookies_.Store(cookies);
}

NqWinHttp::Attempt NqWinHttp::RunAttempt(HANDLE stopEvent, const std::wstring& url,
                                         const std::wstring& body)
{
    response_ = HttpResponse();
    SetStatus(L"正在进行 HTTP 组件初始化 ...");
    if (Signalled(stopEvent))
        return Attempt::Stopped;
    if (PastDeadline())
        return Attempt::Failed;
    WinHttpHandle session = OpenSession(settings_.userAgent);
    if (!session)
        return Attempt::Failed;
    if (Signalled(stopEvent))
        return Attempt::Stopped;

    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
        return Attempt::Failed;
    Target target;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    target.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    target.port = parts.nPort;
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    SetStatus(L"建立连接 ...");
    WinHttpHandle connection(WinHttpConnect(session.Get(), target.host.c_str(), target.port, 0));
    if (!connection)
        return Attempt::Failed;
    if (Signalled(stopEvent))
        return Attempt::Stopped;

    SetStatus(L"准备发送请求 ...");
    const bool post = !body.empty();
    WinHttpHandle request(WinHttpOpenRequest(
        connection.Get(), post ? L"POST" : L"GET", target.path.empty() ? nullptr : target.path.c_str(),
        nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
        target.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return Attempt::Failed;
    if (Signalled(stopEvent))
        return Attempt::Stopped;
    return SendAndReceive(stopEvent, request.Get(), target, body);
}

NqWinHttp::Attempt NqWinHttp::SendAndReceive(HANDLE stopEvent, HINTERNET request,
                                             const Target& target, const std::wstring& body)
{
    const bool post = !body.empty();
    ConfigureRequest(request, target.secure);
    AddHeaders(request, target.host, post);
    if (Signalled(stopEvent))
        return Attempt::Stopped;

    SetStatus(L"发送请求 ...");
    BOOL sent = FALSE;
    if (!post) {
        sent = WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                  WINHTTP_NO_REQUEST_DATA, 0, 0, 0);
    } else {
        std::string data = WideToCodePage(body, CP_ACP);
        const DWORD length = static_cast<DWORD>(data.size());
        sent = WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, data.data(), length,
                                  length, 0);
    }
    if (Signalled(stopEvent))
        return Attempt::Stopped;
    if (!sent)
        return Attempt::Failed;

    SetStatus(L"开始数据接收 ...");
    const BOOL received = WinHttpReceiveResponse(request, nullptr);
    if (Signalled(stopEvent))
        return Attempt::Stopped;
    if (!received)
        return Attempt::Failed;
    return ReadReply(stopEvent, request);
}

void NqWinHttp::ConfigureRequest(HINTERNET request, bool secure) const
{
    if (secure) {
        DWORD flags = 0;
        DWORD size = sizeof(flags);
        WinHttpQueryOption(request, WINHTTP_OPTION_SECURITY_FLAGS, &flags, &size);
        flags |= kIgnoreCertificateErrors;
        // Some WinHTTP versions refuse the undocumented 0x80; the four named flags still apply.
        if (!WinHttpSetOption(request, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags)))
            SetDwordOption(request, WINHTTP_OPTION_SECURITY_FLAGS, kDocumentedCertificateFlags);
    }
    SetTimeout(request, WINHTTP_OPTION_CONNECT_TIMEOUT, RemainingMs(settings_.connectTimeoutMs));
    SetTimeout(request, WINHTTP_OPTION_SEND_TIMEOUT, RemainingMs(settings_.sendTimeoutMs));
    SetTimeout(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, RemainingMs(settings_.receiveTimeoutMs));
    // The receive time-out alone does not bound the wait for the headers (WinHTTP's own default
    // for that is 90 s).
    SetTimeout(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, RemainingMs(settings_.receiveTimeoutMs));
    if (!settings_.followRedirects)
        SetDwordOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS);
}

void NqWinHttp::AddHeaders(HINTERNET request, const std::wstring& host, bool post)
{
    const std::wstring cookiePairs = cookies_.HeaderValueFor(host);
    for (const std::wstring& line : BuildRequestHeaders(settings_, post, cookiePairs, host)) {
        if (line.starts_with(L"Cookie: "))
            OutputDebugStringW(line.c_str());
        WinHttpAddRequestHeaders(request, line.c_str(), static_cast<DWORD>(-1), kAddOrReplace);
    }
}

NqWinHttp::Attempt NqWinHttp::ReadReply(HANDLE stopEvent, HINTERNET request)
{
    const std::wstring status = HeaderText(request, WINHTTP_QUERY_STATUS_CODE);
    response_.statusCode = static_cast<int32_t>(wcstol(status.c_str(), nullptr, 10));
    if (response_.statusCode == kStatusFound) {
        response_.location = HeaderText(request, WINHTTP_QUERY_LOCATION);
        return Attempt::Failed;
    }
    if (response_.statusCode != kStatusOk)
        return Attempt::Failed;
    ReadSuccessHeaders(request);
    if (settings_.headersOnly)
        return Attempt::Complete;
    return ReceiveBody(stopEvent, request);
}

void NqWinHttp::ReadSuccessHeaders(HINTERNET request)
{
    response_.contentType = HeaderText(request, WINHTTP_QUERY_CONTENT_TYPE);
    response_.contentEncoding = HeaderText(request, WINHTTP_QUERY_CONTENT_ENCODING);
    response_.rawResponseHeaders = HeaderText(request, WINHTTP_QUERY_RAW_HEADERS_CRLF);
    response_.rawRequestHeaders =
        HeaderText(request, WINHTTP_QUERY_RAW_HEADERS_CRLF | WINHTTP_QUERY_FLAG_REQUEST_HEADERS);
    DWORD length = 0;
    DWORD size = sizeof(length);
    if (WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                            WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX))
        response_.contentLength = length;
    // Every Set-Cookie header counts, not only the first.
    DWORD index = 0;
    while (std::optional<std::wstring> text = QueryHeader(request, WINHTTP_QUERY_SET_COOKIE, &index)) {
        cookies_.Store(*text);
        if (!response_.setCookie.empty())
            response_.setCookie += L"\n";
        response_.setCookie += *text;
    }
}

NqWinHttp::Attempt NqWinHttp::ReceiveBody(HANDLE stopEvent, HINTERNET request)
{
    const DWORD started = GetTickCount();
    uint64_t received = 0;
    int percent = 0;
    double speed = 0.0;
    for (;;) {
        SetStatus(ReceivingText(percent));
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available))
            return Attempt::Failed;
        // The end of the data: a reply cut before its announced length is no reply.
        if (available == 0)
            return received < response_.contentLength ? Attempt::Failed : Attempt::Complete;
        const size_t offset = response_.body.size();
        if (available > kMaxReplyBody - offset || !TryGrow(response_.body, available))
            return Attempt::Failed;
        DWORD read = 0;
        const BOOL ok = WinHttpReadData(request, response_.body.data() + offset, available, &read);
        response_.body.resize(offset + (ok ? read : 0));
        if (!ok)
            return Attempt::Failed;
        received += read;
        if (response_.contentLength > 0)
            percent = static_cast<int>(received * 100 / response_.contentLength);
        const DWORD elapsed = GetTickCount() - started;
        if (elapsed > 0)
            speed = static_cast<double>(received) / (elapsed / 1000.0) / 1024.0;
        NotifyProgress(percent, speed);
        if (Signalled(stopEvent))
            return Attempt::Stopped;
        if (PastDeadline())
            return Attempt::Failed;
    }
}

std::wstring NqWinHttp::NotifyFinished(bool failed, HANDLE stopEvent)
{
    std::lock_guard guard(lock_);
    return listener_ ? listener_->OnFinished(*this, failed, stopEvent) : std::wstring();
}

void NqWinHttp::NotifyProgress(int percent, double speed)
{
    std::lock_guard guard(lock_);
    if (listener_)
        listener_->OnProgress(*this, percent, speed);
}
