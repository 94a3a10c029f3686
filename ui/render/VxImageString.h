#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace VXM {

// An image attribute string ("res='106' restype='PNG' dest='8,8,32,32'") with an editor for
// single keys. Getters leave the out value alone when the key is absent or its value empty.
class VxImageString {
public:
    enum VxDataType {
        kRes,
        kResType,
        kMask,
        kEncrypt,
        kFile,
        kIcon,
        kIconSize,
        kDest,
        kSource,
        kCorner,
        kFade,
        kAlphaClose,
        kReverse,
        kRound,
        kRight,
        kRotate,
        kHole,
        kRgnImage,
        kRgnResType,
        kRgnMask,
        kRollText,
    };

    // Only the field that matches the type is used.
    struct VxData {
        bool flag = false;
        int number = 0;
        std::wstring text;
        double real = 0.0;
        DWORD color = 0;
        SIZE size = {};
        RECT rect = {};
    };

    VxImageString() = default;
    VxImageString(std::wstring text) : text_(std::move(text)) {}
    VxImageString(const wchar_t* text) : text_(text ? text : L"") {}
    operator const std::wstring&() const { return text_; }
    const std::wstring& GetString() const { return text_; }
    bool IsEmpty() const { return text_.empty(); }

    void SetValue(VxDataType type, const VxData& value);
    bool GetValue(VxDataType type, VxData& value) const;

    void SetRes(int res);
    bool GetRes(int& res) const;
    void SetResType(const std::wstring& value);
    bool GetResType(std::wstring& type) const;
    void SetMask(DWORD mask);
    bool GetMask(DWORD& mask) const;
    void SetEncrypt(bool encrypt);
    bool IsEncrypt() const;
    void SetImageFile(const std::wstring& file);
    bool GetImageFile(std::wstring& file) const;
    void SetIco(bool icon);
    bool IsIco() const;
    void SetIcoSize(int size);
    bool GetIcoSize(int& size) const;
    void SetDest(const RECT& dest);
    bool GetDest(RECT& dest) const;
    void SetSource(const RECT& source);
    bool GetSource(RECT& source) const;
    void SetCorner(const RECT& corner);
    bool GetCorner(RECT& corner) const;
    void SetAlpha(int fade);
    bool GetAlpha(int& fade) const;
    void SetCloseAlpha(bool close);
    bool IsCloseAlpha() const;
    void SetReverse(bool reverse);
    bool IsReverse() const;
    void SetRound(const SIZE& round);
    bool GetRound(SIZE& round) const;
    void SetRight(bool right);
    bool IsRight() const;
    void SetRotate(double angle);
    bool GetRotate(double& angle) const;
    void SetHole(bool hole);
    bool IsHole() const;
    void SetRgnImage(const std::wstring& image);
    bool GetRgnImage(std::wstring& image) const;
    void SetRgnResType(const std::wstring& type);
    bool GetRgnResType(std::wstring& type) const;
    void SetRgnMask(DWORD mask);
    bool GetRgnMask(DWORD& mask) const;
    void SetTextRoll(int offset);
    bool GetTextRoll(int& offset) const;

    // False for an empty string; otherwise DrawImageString without a modifier.
    bool Draw(HDC dc, const RECT& control, const RECT& paint) const;

private:
    size_t FindKey(const std::wstring& keyText) const;

    std::wstring text_;
};

}  // namespace VXM
