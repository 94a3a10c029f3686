#include <map>
#include <string>
#include <vector>

#include "FindingDetails.h"
#include "FuzzSupport.h"

namespace {

using Model = std::map<std::wstring, std::wstring>;

struct State {
    app::FindingDetails details;
    Model model;
    std::vector<std::wstring> byId;
};

void Add(State& state, const std::wstring& detail, const std::wstring& extra)
{
    const bool added = state.model.try_emplace(detail, extra).second;
    FUZZ_CHECK(state.details.Add(detail, extra) == added);
    if (added)
        state.byId.push_back(detail);
}

// Details of one folder, or of a run of folders, in a scrambled order: enough of them to split
// the ordered index.
void AddRun(State& state, FuzzedDataProvider& input)
{
    const std::wstring base = ConsumeWide(input, 12);
    const auto count = input.ConsumeIntegralInRange<unsigned>(1, 1200);
    const wchar_t joint = input.ConsumeBool() ? L'\\' : L'x';
    for (unsigned i = 0; i < count; ++i)
        Add(state, base + joint + std::to_wstring(i * 7919u % count), std::to_wstring(i));
}

void CheckAll(const State& state)
{
    FUZZ_CHECK(state.details.Size() == state.model.size());
    const auto ids = state.details.SortedIds();
    FUZZ_CHECK(ids.size() == state.model.size());
    auto expected = state.model.begin();
    for (const auto id : ids) {
        FUZZ_CHECK(id < state.byId.size() && state.byId[id] == expected->first);
        FUZZ_CHECK(state.details.Detail(id) == expected->first);
        FUZZ_CHECK(state.details.Extra(id) == expected->second);
        ++expected;
    }
}

}  // namespace

// Each step adds a detail, asks whether one is present, or adds a run; a detail is built on a
// shared folder or on one already added, so prefixes and repeats are common.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    State state;
    const std::wstring folders[] = {L"", L"C:\\T\\", L"C:\\T\\sub\\", L"\\"};
    // A few runs reach the splits; more would only slow each input down.
    int runsLeft = 3;
    while (input.remaining_bytes() > 0) {
        const auto step = input.ConsumeIntegralInRange<int>(0, 3);
        if (step == 3 && runsLeft-- > 0) {
            AddRun(state, input);
            continue;
        }
        const auto prefix = input.ConsumeIntegralInRange<size_t>(0, std::size(folders) + state.byId.size() - 1);
        const std::wstring detail = (prefix < std::size(folders) ? folders[prefix] : state.byId[prefix - std::size(folders)]) +
                                    ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 16));
        if (step >= 2)
            FUZZ_CHECK(state.details.Contains(detail) == (state.model.count(detail) != 0));
        else
            Add(state, detail, ConsumeWide(input, 4));
    }
    CheckAll(state);
    return 0;
}
