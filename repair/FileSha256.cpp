#include "FileSha256.h"

#include "CngHandle.h"

#include <array>
#include <vector>

namespace repair {

namespace {

constexpr DWORD kReadChunk = 1 << 16;
constexpr size_t kDigestBytes = 32;

bool Succeeded(NTSTATUS status)
{
    return status >= 0;
}

std::string ToHex(const std::array<UCHAR, kDigestBytes>& digest)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(digest.size() * 2);
    for (UCHAR byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

bool HashFileInto(HANDLE file, BCRYPT_HASH_HANDLE hash)
{
    std::vector<UCHAR> buffer(kReadChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.data(), kReadChunk, &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (!Succeeded(BCryptHashData(hash, buffer.data(), read, 0)))
            return false;
    }
}

}  // namespace

std::optional<std::string> Sha256Of(HANDLE file)
{
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return std::nullopt;
    CngAlgorithm algorithm;
    if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.Receive(), BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return std::nullopt;
    CngHash hash;
    if (!Succeeded(BCryptCreateHash(algorithm.Get(), hash.Receive(), nullptr, 0, nullptr, 0, 0)))
        return std::nullopt;
    if (!HashFileInto(file, hash.Get()))
        return std::nullopt;
    std::array<UCHAR, kDigestBytes> digest = {};
    if (!Succeeded(BCryptFinishHash(hash.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0)))
        return std::nullopt;
    return ToHex(digest);
}

std::optional<std::string> FileSha256(const std::wstring& path)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return file ? Sha256Of(file.Get()) : std::nullopt;
}

}  // namespace repair
