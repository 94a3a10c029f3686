#pragma once

#include <map>
#include <string>
#include <vector>

#include "FindingSinks.h"

// Stand-ins for the scan page's list and entry controls that keep what a real list keeps:
// rows matched by group ignoring case, one detail line per distinct detail text.
namespace scan_testing {

struct ModelRow {
    int rowStyle = 0;
    std::wstring group;
    std::wstring description;
    std::map<std::wstring, std::wstring> details;
};

class ModelResultList : public scan::IResultList {
public:
    explicit ModelResultList(bool keepLog = true) : keepLog_(keepLog) {}

    void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                    std::wstring_view detail, std::wstring_view extra) override;
    void AddNote(std::wstring_view text) override;
    int TotalCount() override;

    std::vector<ModelRow> rows;
    std::vector<std::wstring> notes;
    // "finding|group|description|style|detail|extra" and "note|text", in call order.
    std::vector<std::wstring> log;

private:
    bool keepLog_ = true;
};

class ModelCategoryEntry : public scan::ICategoryEntry {
public:
    void SetCount(int newCount) override
    {
        count = newCount;
        ++setCountCalls;
    }

    int count = 0;
    int setCountCalls = 0;
};

}  // namespace scan_testing
