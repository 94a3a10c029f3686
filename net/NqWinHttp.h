#pragma once

#include "CookieJar.h"
#include "HttpRequestSettings.h"
#include "HttpResponse.h"

#include <UniqueHandle.h>

#include <windows.h>

#include <mutex>
#include <string>

class NqWinHttp;

// Hears how a request ends and how its body arrives; called on the request's thread with the
// client's lock held.
class NqWinHttpListener {
public:
    virtual ~NqWinHttpListener() = default;
    // A non-empty result is requested next, within the same call.
    virtual std::wstring OnFinished(NqWinHttp& client, bool failed, HANDLE stopEvent) = 0;
    virtual void OnProgress(NqWinHttp& client, int percent, double speedKiBPerSecond) = 0;
};

// Synchronous HTTP client over WinHTTP: one request at a time on the calling thread, the whole
// body in memory. Another thread may stop it through the stop event.
class NqWinHttp {
public:
    NqWinHttp();
    NqWinHttp(const NqWinHttp&) = delete;
    NqWinHttp& operator=(const NqWinHttp&) = delete;

    // GET when the body is empty, else POST of the body in the ANSI code page; "url@body" with an
    // empty body posts the text after the first '@'. True when the reply was a complete 200:
    // every byte its Content-Length announced, at most kMaxReplyBody. Ends within the settings'
    // time-outs; false, never an exception, when memory runs out.
    bool Request(HANDLE stopEvent, std::wstring url, std::wstring body);
    // The body inflated once as its Content-Encoding says, up to its first zero byte; empty
    // when memory runs out.
    std::string BodyAsNarrowString();

    // Manual reset: once set, every later check of this object's requests stops them.
    HANDLE StopEvent() const { return stopEvent_.Get(); }
    void Stop() { SetEvent(stopEvent_.Get()); }

    HttpRequestSettings& Settings() { return settings_; }
    const HttpResponse& Response() const { return response_; }
    CookieJar& Cookies() { return cookies_; }
    std::wstring StatusText() const;

    void SetListener(NqWinHttpListener* listener);  // not owned; null removes it
    void SetRetryLimit(int limit) { retryLimit_ = limit; }
    int RetryCount() const { return retryCount_; }

private:
    enum class Attempt { Failed = 0, Complete = 1, Stopped = 2 };
    struct Target;
    // WinHTTP's HINTERNET: winhttp.h stays out of this header, it clashes with wininet.h.
    using RequestHandle = void*;

    bool RequestUntilDone(HANDLE stopEvent, std::wstring url, std::wstring body);
    Attempt RunAttempt(HANDLE stopEvent, const std::wstring& url, const std::wstring& body);
    Attempt SendAndReceive(HANDLE stopEvent, RequestHandle request, const Target& target,
                           const std::wstring& body);
    Attempt ReadReply(HANDLE stopEvent, RequestHandle request);
    Attempt ReceiveBody(HANDLE stopEvent, RequestHandle request);
    void ReadSuccessHeaders(RequestHandle request);
    void ConfigureRequest(RequestHandle request, bool secure) const;
    void AddHeaders(RequestHandle request, const std::wstring& host, bool post);
    void TakeSystemCookies(const std::wstring& url);
    std::wstring NotifyFinished(bool failed, HANDLE stopEvent);
    void NotifyProgress(int percent, double speed);
    void SetStatus(std::wstring text);
    bool PastDeadline() const;
    int RemainingMs(int timeoutMs) const;

    KernelHandle stopEvent_;
    HttpRequestSettings settings_;
    HttpResponse response_;
    CookieJar cookies_;
    std::wstring statusText_;
    NqWinHttpListener* listener_ = nullptr;  // not owned
    int retryLimit_ = 0;
    int retryCount_ = 0;
    ULONGLONG deadline_ = 0;  // GetTickCount64 value the call must end by; 0: none
    // Recursive like a critical section: a listener may read the status text.
    mutable std::recursive_mutex lock_;
};
