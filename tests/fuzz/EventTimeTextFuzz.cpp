#include <cstdio>
#include <ctime>
#include <string>

#include "EventTimeText.h"
#include "FuzzSupport.h"

// Without a time zone the text is the UTC time the C library gives for the same seconds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const uint32_t seconds = input.ConsumeIntegral<uint32_t>();
    const time_t time = seconds;
    std::tm utc = {};
    gmtime_r(&time, &utc);
    wchar_t expected[32] = {};
    std::swprintf(expected, 32, L"%04d-%02d-%02d %02d:%02d:%02d\n", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                  utc.tm_hour, utc.tm_min, utc.tm_sec);
    FUZZ_CHECK(scan::LocalEventTimeText(seconds) == expected);
    SYSTEMTIME any = {};
    for (WORD* field : {&any.wYear, &any.wMonth, &any.wDay, &any.wHour, &any.wMinute, &any.wSecond})
        *field = input.ConsumeIntegral<WORD>();
    const std::wstring text = scan::EventTimeText(any);
    FUZZ_CHECK(!text.empty() && text.back() == L'\n');
    return 0;
}
