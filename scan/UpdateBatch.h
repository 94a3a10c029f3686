#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ScanUpdate.h"

namespace scan {

// The most text one update may carry; far beyond any path, event time or DLL name, and small
// enough that a batch's offsets never overflow.
inline constexpr size_t kMaxUpdateChars = size_t{1} << 20;
// A batch holds at most this many updates.
inline constexpr size_t kBatchRecords = size_t{1} << 12;

// Updates in arrival order without a heap block each: one fixed-size record per update and all
// their texts in one arena. A group equal to the previous record's, or leading the update's own
// detail (a junk file's folder), points at the text already there instead of a copy.
class UpdateBatch {
public:
    // Texts of more than kMaxUpdateChars in all are the caller's to refuse.
    void Append(const ScanUpdate& update);
    // Views into the arena: valid until the next Append or Clear.
    ScanUpdate At(size_t index) const;
    size_t Size() const { return records_.size(); }
    // Past this the queue starts another batch, so that no arena grows large enough for its
    // reallocation to keep the lock for long.
    bool Full() const;
    size_t BytesUsed() const;
    void Clear();  // keeps the capacity for the next posts

private:
    struct Record {
        IResultList* list = nullptr;      // not owned
        ICategoryEntry* entry = nullptr;  // not owned
        uint32_t group = 0;               // offset into text_
        uint32_t groupLength = 0;
        uint32_t text = 0;  // description, detail and extra, one after the other
        uint32_t descriptionLength = 0;
        uint32_t detailLength = 0;
        uint32_t extraLength = 0;
        int32_t kind = kEventFinding;
    };

    std::wstring_view TextAt(uint32_t offset, uint32_t length) const;
    uint32_t AppendText(std::wstring_view text);
    // Where the group's text is: shared with the previous record or the detail, or appended.
    uint32_t PlaceGroup(std::wstring_view group, const Record& record);

    std::vector<Record> records_;
    std::vector<wchar_t> text_;
};

}  // namespace scan
