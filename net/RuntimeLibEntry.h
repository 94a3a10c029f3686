#pragma once

#include <cstdint>
#include <string>

// One runtime package of the server's list; the repair downloads and installs it by type.
struct RuntimeLibEntry {
    std::wstring name;
    int32_t type = 0;
    std::wstring url;
    // 64 lower-case hexadecimal digits, or empty when the server sent no usable digest.
    std::string sha256;
};
