#include "VxImageString.h"

#include <cwchar>

#include "NumberText.h"
#include "VxRenderUtils.h"

namespace VXM {

namespace {

enum class ValueKind { kInteger, kText, kColor, kFlag, kRect, kSize, kReal };

struct KeyFormat {
    const wchar_t* key;
    ValueKind kind;
};

// Indexed by VxDataType.
constexpr KeyFormat kKeys[] = {
    {L"res", ValueKind::kInteger},      {L"restype", ValueKind::kText},   {L"mask", ValueKind::kColor},
    {L"encrypt", ValueKind::kFlag},     {L"file", ValueKind::kText},      {L"icon", ValueKind::kFlag},
    {L"iconsize", ValueKind::kInteger}, {L"dest", ValueKind::kRect},      {L"source", ValueKind::kRect},
    {L"corner", ValueKind::kRect},      {L"fade", ValueKind::kInteger},   {L"alphaClose", ValueKind::kFlag},
    {L"reverse", ValueKind::kFlag},     {L"round", ValueKind::kSize},     {L"right", ValueKind::kFlag},
    {L"rotate", ValueKind::kReal},      {L"hole", ValueKind::kFlag},      {L"rgnimage", ValueKind::kText},
    {L"rgnrestype", ValueKind::kText},  {L"rgnmask", ValueKind::kColor},  {L"rolltext", ValueKind::kInteger},
};
static_assert(sizeof(kKeys) / sizeof(kKeys[0]) == VxImageString::kRollText + 1);

std::wstring KeyText(VxImageString::VxDataType type)
{
    return std::wstring(kKeys[type].key) + L"='";
}

std::wstring Format(const wchar_t* format, ...)
{
    wchar_t buffer[128] = {};
    va_list arguments;
    va_start(arguments, format);
    int length = _vsnwprintf_s(buffer, _countof(buffer), _TRUNCATE, format, arguments);
    va_end(arguments);
    return length < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(length));
}

std::wstring ValueText(ValueKind kind, const VxImageString::VxData& value)
{
    switch (kind) {
    case ValueKind::kInteger:
        return Format(L"%d", value.number);
    case ValueKind::kText:
        return value.text;
    case ValueKind::kColor:
        return Format(L"#%06X", static_cast<unsigned>(value.color));
    case ValueKind::kFlag:
        return value.flag ? L"true" : L"false";
    case ValueKind::kRect:
        return Format(L"%d,%d,%d,%d", value.rect.left, value.rect.top, value.rect.right, value.rect.bottom);
    case ValueKind::kSize:
        return Format(L"%d,%d", value.size.cx, value.size.cy);
    case ValueKind::kReal:
        return Format(L"%lf", value.real);
    }
    return std::wstring();
}

void ReadValue(ValueKind kind, std::wstring_view text, VxImageString::VxData& value)
{
    int32_t numbers[4] = {};
    switch (kind) {
    case ValueKind::kInteger:
        value.number = ParseInt(text);
        break;
    case ValueKind::kText:
        value.text = text;
        break;
    case ValueKind::kColor:
        value.color = ParseColor(text);
        break;
    case ValueKind::kFlag:
        value.flag = text == L"true";
        break;
    case ValueKind::kRect:
        ParseIntList(text, numbers, 4);
        value.rect = RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
        break;
    case ValueKind::kSize:
        ParseIntList(text, numbers, 2);
        value.size = SIZE{numbers[0], numbers[1]};
        break;
    case ValueKind::kReal:
        value.real = ParseReal(text);
        break;
    }
}

template <typename Field, typename Value>
void Put(VxImageString& text, VxImageString::VxDataType type, Field VxImageString::VxData::*field, const Value& value)
{
    VxImageString::VxData data;
    data.*field = static_cast<Field>(value);
    text.SetValue(type, data);
}

template <typename Field, typename Value>
bool Take(const VxImageString& text, VxImageString::VxDataType type, Field VxImageString::VxData::*field, Value& value)
{
    VxImageString::VxData data;
    if (!text.GetValue(type, data))
        return false;
    value = static_cast<Value>(data.*field);
    return true;
}

}  // namespace

// A key matches only where a piece starts, so "mask='" is not found inside "rgnmask='".
size_t VxImageString::FindKey(const std::wstring& keyText) const
{
    for (size_t pos = text_.find(keyText); pos != std::wstring::npos; pos = text_.find(keyText, pos + 1)) {
        if (pos == 0 || text_[pos - 1] == L' ')
            return pos;
    }
    return std::wstring::npos;
}

void VxImageString::SetValue(VxDataType type, const VxData& value)
{
    std::wstring keyText = KeyText(type);
    std::wstring piece = keyText + ValueText(kKeys[type].kind, value) + L"'";
    size_t start = FindKey(keyText);
    if (start == std::wstring::npos) {
        if (!text_.empty())
            text_ += L' ';
        text_ += piece;
        return;
    }
    size_t quote = text_.find(L'\'', start + keyText.size());
    size_t end = quote == std::wstring::npos ? text_.size() : quote + 1;
    text_.replace(start, end - start, piece);
}

bool VxImageString::GetValue(VxDataType type, VxData& value) const
{
    std::wstring keyText = KeyText(type);
    size_t start = FindKey(keyText);
    if (start == std::wstring::npos)
        return false;
    size_t valueStart = start + keyText.size();
    size_t quote = text_.find(L'\'', valueStart);
    if (quote == std::wstring::npos || quote == valueStart)
        return false;
    ReadValue(kKeys[type].kind, std::wstring_view(text_).substr(valueStart, quote - valueStart), value);
    return true;
}

void VxImageString::SetRes(int value)
{
    Put(*this, kRes, &VxData::number, value);
}

bool VxImageString::GetRes(int& value) const
{
    return Take(*this, kRes, &VxData::number, value);
}

void VxImageString::SetResType(const std::wstring& value)
{
    Put(*this, kResType, &VxData::text, value);
}

bool VxImageString::GetResType(std::wstring& value) const
{
    return Take(*this, kResType, &VxData::text, value);
}

void VxImageString::SetMask(DWORD value)
{
    Put(*this, kMask, &VxData::color, value);
}

bool VxImageString::GetMask(DWORD& value) const
{
    return Take(*this, kMask, &VxData::color, value);
}

void VxImageString::SetImageFile(const std::wstring& value)
{
    Put(*this, kFile, &VxData::text, value);
}

bool VxImageString::GetImageFile(std::wstring& value) const
{
    return Take(*this, kFile, &VxData::text, value);
}

void VxImageString::SetIcoSize(int value)
{
    Put(*this, kIconSize, &VxData::number, value);
}

bool VxImageString::GetIcoSize(int& value) const
{
    return Take(*this, kIconSize, &VxData::number, value);
}

void VxImageString::SetDest(const RECT& value)
{
    Put(*this, kDest, &VxData::rect, value);
}

bool VxImageString::GetDest(RECT& value) const
{
    return Take(*this, kDest, &VxData::rect, value);
}

void VxImageString::SetSource(const RECT& value)
{
    Put(*this, kSource, &VxData::rect, value);
}

bool VxImageString::GetSource(RECT& value) const
{
    return Take(*this, kSource, &VxData::rect, value);
}

void VxImageString::SetCorner(const RECT& value)
{
    Put(*this, kCorner, &VxData::rect, value);
}

bool VxImageString::GetCorner(RECT& value) const
{
    return Take(*this, kCorner, &VxData::rect, value);
}

void VxImageString::SetAlpha(int value)
{
    Put(*this, kFade, &VxData::number, value);
}

bool VxImageString::GetAlpha(int& value) const
{
    return Take(*this, kFade, &VxData::number, value);
}

void VxImageString::SetRound(const SIZE& value)
{
    Put(*this, kRound, &VxData::size, value);
}

bool VxImageString::GetRound(SIZE& value) const
{
    return Take(*this, kRound, &VxData::size, value);
}

void VxImageString::SetRotate(double value)
{
    Put(*this, kRotate, &VxData::real, value);
}

bool VxImageString::GetRotate(double& value) const
{
    return Take(*this, kRotate, &VxData::real, value);
}

void VxImageString::SetRgnImage(const std::wstring& value)
{
    Put(*this, kRgnImage, &VxData::text, value);
}

bool VxImageString::GetRgnImage(std::wstring& value) const
{
    return Take(*this, kRgnImage, &VxData::text, value);
}

void VxImageString::SetRgnResType(const std::wstring& value)
{
    Put(*this, kRgnResType, &VxData::text, value);
}

bool VxImageString::GetRgnResType(std::wstring& value) const
{
    return Take(*this, kRgnResType, &VxData::text, value);
}

void VxImageString::SetRgnMask(DWORD value)
{
    Put(*this, kRgnMask, &VxData::color, value);
}

bool VxImageString::GetRgnMask(DWORD& value) const
{
    return Take(*this, kRgnMask, &VxData::color, value);
}

void VxImageString::SetTextRoll(int value)
{
    Put(*this, kRollText, &VxData::number, value);
}

bool VxImageString::GetTextRoll(int& value) const
{
    return Take(*this, kRollText, &VxData::number, value);
}

void VxImageString::SetEncrypt(bool value)
{
    Put(*this, kEncrypt, &VxData::flag, value);
}

bool VxImageString::IsEncrypt() const
{
    bool value = false;
    return Take(*this, kEncrypt, &VxData::flag, value) && value;
}

void VxImageString::SetIco(bool value)
{
    Put(*this, kIcon, &VxData::flag, value);
}

bool VxImageString::IsIco() const
{
    bool value = false;
    return Take(*this, kIcon, &VxData::flag, value) && value;
}

void VxImageString::SetCloseAlpha(bool value)
{
    Put(*this, kAlphaClose, &VxData::flag, value);
}

bool VxImageString::IsCloseAlpha() const
{
    bool value = false;
    return Take(*this, kAlphaClose, &VxData::flag, value) && value;
}

void VxImageString::SetReverse(bool value)
{
    Put(*this, kReverse, &VxData::flag, value);
}

bool VxImageString::IsReverse() const
{
    bool value = false;
    return Take(*this, kReverse, &VxData::flag, value) && value;
}

void VxImageString::SetRight(bool value)
{
    Put(*this, kRight, &VxData::flag, value);
}

bool VxImageString::IsRight() const
{
    bool value = false;
    return Take(*this, kRight, &VxData::flag, value) && value;
}

void VxImageString::SetHole(bool value)
{
    Put(*this, kHole, &VxData::flag, value);
}

bool VxImageString::IsHole() const
{
    bool value = false;
    return Take(*this, kHole, &VxData::flag, value) && value;
}

bool VxImageString::Draw(HDC dc, const RECT& control, const RECT& paint) const
{
    if (text_.empty())
        return false;
    return VxRenderUtils::DrawImageString(dc, control, paint, text_);
}

}  // namespace VXM
