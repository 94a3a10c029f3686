#pragma once

#include <cstdint>
#include <string>
#include <vector>

// EVENTLOGRECORD bytes as the event log hands them out: the fixed part, the source and computer
// names, optional padding, and the trailing copy of Length.
namespace scan_testing {

std::vector<unsigned char> EventRecordBytes(uint16_t eventType, uint32_t timeGenerated, const std::wstring& source,
                                            size_t padding = 0);

void Append(std::vector<unsigned char>& bytes, const std::vector<unsigned char>& more);

void SetLength(std::vector<unsigned char>& bytes, size_t recordOffset, uint32_t length);

}  // namespace scan_testing
