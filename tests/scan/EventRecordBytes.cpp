#include "EventRecordBytes.h"

#include <windows.h>

#include <cstring>

namespace scan_testing {

namespace {

void AppendText(std::vector<unsigned char>& bytes, const std::wstring& text)
{
    const unsigned char* units = reinterpret_cast<const unsigned char*>(text.c_str());
    bytes.insert(bytes.end(), units, units + (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace

std::vector<unsigned char> EventRecordBytes(uint16_t eventType, uint32_t timeGenerated, const std::wstring& source,
                                            size_t padding)
{
    EVENTLOGRECORD fixed = {};
    fixed.TimeGenerated = timeGenerated;
    fixed.TimeWritten = timeGenerated;
    fixed.EventType = eventType;
    std::vector<unsigned char> bytes(sizeof(fixed));
    AppendText(bytes, source);
    AppendText(bytes, L"TESTPC");
    bytes.resize((bytes.size() + padding + 3) / 4 * 4, 0);
    uint32_t length = static_cast<uint32_t>(bytes.size() + sizeof(DWORD));
    fixed.Length = length;
    std::memcpy(bytes.data(), &fixed, sizeof(fixed));
    bytes.resize(length);
    std::memcpy(bytes.data() + length - sizeof(DWORD), &length, sizeof(length));
    return bytes;
}

void Append(std::vector<unsigned char>& bytes, const std::vector<unsigned char>& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
}

void SetLength(std::vector<unsigned char>& bytes, size_t recordOffset, uint32_t length)
{
    std::memcpy(bytes.data() + recordOffset, &length, sizeof(length));
}

}  // namespace scan_testing
