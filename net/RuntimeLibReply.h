#pragma once

#include "RuntimeLibEntry.h"

#include <string>
#include <vector>

// Appends the entries of a runtime-library reply ({"code":200,"data":{"runtimelib":[...]}}) in
// array order. A reply that is empty, not JSON, not a code-200 object or without the array, or
// one that memory does not suffice for, leaves the list untouched and gives false.
bool ParseRuntimeLibReply(const std::string& text, std::vector<RuntimeLibEntry>& list);

// The digest in lower case when it is exactly 64 hexadecimal digits, else empty.
std::string NormalizeSha256(const std::string& digest);
