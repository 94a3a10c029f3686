#include <string>

#include "AttributeList.h"
#include "FuzzSupport.h"

// The pairs written back as name="value" with one blank between them are the start of the list
// they came from, and read back to the same pairs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring list = RemainingWide(input);
    const std::vector<VXM::AttributePair> pairs = VXM::ParseAttributeList(list);
    std::wstring written;
    for (const VXM::AttributePair& pair : pairs) {
        FUZZ_CHECK(pair.value.find(L'"') == std::wstring_view::npos);
        written += (written.empty() ? L"" : L" ") + std::wstring(pair.name) + L"=\"" + std::wstring(pair.value) + L"\"";
    }
    FUZZ_CHECK(std::wstring_view(list).starts_with(written));
    const std::vector<VXM::AttributePair> again = VXM::ParseAttributeList(written);
    FUZZ_CHECK(again.size() == pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i)
        FUZZ_CHECK(again[i].name == pairs[i].name && again[i].value == pairs[i].value);
    return 0;
}
