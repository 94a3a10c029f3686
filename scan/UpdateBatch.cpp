#include "UpdateBatch.h"

namespace scan {

namespace {

constexpr size_t kBatchTextChars = size_t{1} << 16;

uint32_t Length(std::wstring_view text)
{
    return static_cast<uint32_t>(text.size());
}

}  // namespace

void UpdateBatch::Append(const ScanUpdate& update)
{
    Record record;
    record.list = update.list;
    record.entry = update.entry;
    record.kind = update.kind;
    record.text = AppendText(update.description);
    AppendText(update.detail);
    AppendText(update.extra);
    record.descriptionLength = Length(update.description);
    record.detailLength = Length(update.detail);
    record.extraLength = Length(update.extra);
    record.groupLength = Length(update.group);
    record.group = PlaceGroup(update.group, record);
    records_.push_back(record);
}

ScanUpdate UpdateBatch::At(size_t index) const
{
    const Record& record = records_[index];
    const uint32_t detail = record.text + record.descriptionLength;
    const uint32_t extra = detail + record.detailLength;
    return ScanUpdate{record.list,
                      record.entry,
                      record.kind,
                      TextAt(record.group, record.groupLength),
                      TextAt(record.text, record.descriptionLength),
                      TextAt(detail, record.detailLength),
                      TextAt(extra, record.extraLength)};
}

bool UpdateBatch::Full() const
{
    return text_.size() >= kBatchTextChars || records_.size() >= kBatchRecords;
}

size_t UpdateBatch::BytesUsed() const
{
    return records_.size() * sizeof(Record) + text_.size() * sizeof(wchar_t);
}

void UpdateBatch::Clear()
{
    records_.clear();
    text_.clear();
}

std::wstring_view UpdateBatch::TextAt(uint32_t offset, uint32_t length) const
{
    return length ? std::wstring_view(text_.data() + offset, length) : std::wstring_view();
}

uint32_t UpdateBatch::AppendText(std::wstring_view text)
{
    const auto offset = static_cast<uint32_t>(text_.size());
    text_.insert(text_.end(), text.begin(), text.end());
    return offset;
}

uint32_t UpdateBatch::PlaceGroup(std::wstring_view group, const Record& record)
{
    if (!records_.empty()) {
        const Record& previous = records_.back();
        if (TextAt(previous.group, previous.groupLength) == group)
            return previous.group;
    }
    const uint32_t detail = record.text + record.descriptionLength;
    if (TextAt(detail, record.detailLength).substr(0, group.size()) == group)
        return detail;
    return AppendText(group);
}

}  // namespace scan
