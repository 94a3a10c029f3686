#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "RuntimeLibReply.h"

namespace {

bool IsDigest(const std::string& digest)
{
    return digest.size() == 64 && std::all_of(digest.begin(), digest.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

}  // namespace

// A refused reply leaves the list as it was; an accepted one only appends, with digests that
// are empty or 64 lower-case hexadecimal digits.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<RuntimeLibEntry> list(1);
    list[0].name = L"held";
    const bool accepted = ParseRuntimeLibReply(text, list);
    FUZZ_CHECK(!list.empty() && list[0].name == L"held");
    FUZZ_CHECK(accepted || list.size() == 1);
    for (size_t i = 1; i < list.size(); ++i)
        FUZZ_CHECK(list[i].sha256.empty() || IsDigest(list[i].sha256));
    const std::string digest = NormalizeSha256(text);
    FUZZ_CHECK(digest.empty() || (IsDigest(digest) && NormalizeSha256(digest) == digest));
    return 0;
}
