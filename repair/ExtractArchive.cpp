#include "ExtractArchive.h"

#include "ArchiveItemName.h"

#include <UniqueHandle.h>

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <vector>

extern "C" {
#include <7z.h>
#include <7zAlloc.h>
#include <7zCrc.h>
#include <7zFile.h>
}

namespace repair {

namespace {

constexpr size_t kLookBufferSize = 1 << 18;
constexpr DWORD kWriteChunk = 1 << 20;
// Set by 7-Zip builds of Unix hosts, which keep the POSIX mode in the high 16 bits.
constexpr UInt32 kUnixExtension = 0x8000;
constexpr UInt32 kWindowsAttributeBits = 0x7FFF;
constexpr DWORD kAttributesBlockingOverwrite =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

const ISzAlloc kAlloc = {SzAlloc, SzFree};
const ISzAlloc kAllocTemp = {SzAllocTemp, SzFreeTemp};

void EnsureCrcTable()
{
    static std::once_flag once;
    std::call_once(once, [] { CrcGenerateTable(); });
}

std::string ToAnsi(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(length) - 1);
    return ansi;
}

// Owns everything the decoder holds for one archive.
class OpenArchive {
public:
    OpenArchive()
    {
        File_Construct(&stream_.file);
        SzArEx_Init(&db_);
    }
    ~OpenArchive()
    {
        ISzAlloc_Free(&kAlloc, outBuffer_);
        SzArEx_Free(&db_, &kAlloc);
        ISzAlloc_Free(&kAlloc, look_.buf);
        File_Close(&stream_.file);
    }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;

    bool OpenFile(const std::wstring& path)
    {
        // The ANSI open: a name outside the code page does not open.
        if (InFile_Open(&stream_.file, ToAnsi(path).c_str()) != 0)
            return false;
        FileInStream_CreateVTable(&stream_);
        LookToRead2_CreateVTable(&look_, False);
        look_.buf = static_cast<Byte*>(ISzAlloc_Alloc(&kAlloc, kLookBufferSize));
        look_.bufSize = kLookBufferSize;
        look_.realStream = &stream_.vt;
        LookToRead2_INIT(&look_);
        return true;
    }

    SRes ReadCatalogue()
    {
        if (!look_.buf)
            return SZ_ERROR_MEM;
        EnsureCrcTable();
        return SzArEx_Open(&db_, &look_.vt, &kAlloc, &kAllocTemp);
    }

    UInt32 ItemCount() const { return db_.NumFiles; }
    bool IsFolder(UInt32 index) const { return SzArEx_IsDir(&db_, index); }

    std::wstring ItemName(UInt32 index) const
    {
        std::vector<UInt16> name(SzArEx_GetFileNameUtf16(&db_, index, nullptr) + 1, 0);
        SzArEx_GetFileNameUtf16(&db_, index, name.data());
        return std::wstring(reinterpret_cast<const wchar_t*>(name.data()));
    }

    void ApplyStoredAttributes(UInt32 index, const std::wstring& path) const
    {
        if (!SzBitWithVals_Check(&db_.Attribs, index))
            return;
        UInt32 attributes = db_.Attribs.Vals[index];
        if (attributes & kUnixExtension)
            attributes &= kWindowsAttributeBits;
        SetFileAttributesW(path.c_str(), attributes);
    }

    // The decoded bytes of a file item; valid until the next call.
    SRes Decode(UInt32 index, const Byte*& data, size_t& size)
    {
        size_t offset = 0;
        size = 0;
        SRes result = SzArEx_Extract(&db_, &look_.vt, index, &blockIndex_, &outBuffer_, &outBufferSize_,
                                     &offset, &size, &kAlloc, &kAllocTemp);
        data = outBuffer_ ? outBuffer_ + offset : nullptr;
        return result;
    }

private:
    CFileInStream stream_ = {};
    CLookToRead2 look_ = {};
    CSzArEx db_ = {};
    UInt32 blockIndex_ = 0xFFFFFFFF;
    Byte* outBuffer_ = nullptr;  // the decoded solid block, reused across its items
    size_t outBufferSize_ = 0;
};

// Every "/" is a folder level: each is created and becomes "\".
std::wstring MakeParentFolders(const std::wstring& destination, std::wstring name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != L'/')
            continue;
        CreateDirectoryW((destination + name.substr(0, i)).c_str(), nullptr);
        name[i] = L'\\';
    }
    return destination + name;
}

// A read-only, hidden or system file left by an earlier unpacking of the same package would
// make CREATE_ALWAYS fail, so a second repair could never refresh it.
void ClearBlockingAttributes(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        (attributes & kAttributesBlockingOverwrite))
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Opened for reading only, which keeps writers and deleters out, and compared with what was
// written: a file swapped in between the writing and this open is not taken for ours.
FileHandle LockAsWritten(const std::wstring& path, const Byte* data, size_t size)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return file;
    std::vector<Byte> chunk(kWriteChunk);
    size_t offset = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data(), kWriteChunk, &read, nullptr))
            return FileHandle();
        if (read == 0)
            break;
        if (read > size - offset || !std::equal(chunk.begin(), chunk.begin() + read, data + offset))
            return FileHandle();
        offset += read;
    }
    return offset == size ? std::move(file) : FileHandle();
}

int DecoderResult(SRes result)
{
    if (result == SZ_OK)
        return kExtractOk;
    return result == SZ_ERROR_MEM ? kExtractOutOfMemory : kExtractDecoderErrorBase + result;
}

bool WriteWholeFile(const std::wstring& path, const Byte* data, size_t size)
{
    ClearBlockingAttributes(path);
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    while (size > 0) {
        DWORD chunk = size > kWriteChunk ? kWriteChunk : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file.Get(), data, chunk, &written, nullptr) || written != chunk)
            return false;
        data += chunk;
        size -= chunk;
    }
    return CloseHandle(file.Detach()) != FALSE;
}

}  // namespace

int ExtractArchive(const std::wstring& archivePath, const std::wstring& destination, UnpackedFiles* unpacked)
{
    std::wstring folder = destination;
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';

    OpenArchive archive;
    if (!archive.OpenFile(archivePath))
        return kExtractCannotOpen;
    SRes result = archive.ReadCatalogue();
    for (UInt32 index = 0; result == SZ_OK && index < archive.ItemCount(); ++index) {
        const std::wstring name = archive.ItemName(index);
        if (!IsSafeItemName(name))
            continue;
        const std::wstring path = MakeParentFolders(folder, name);
        if (archive.IsFolder(index)) {
            CreateDirectoryW(path.c_str(), nullptr);
            archive.ApplyStoredAttributes(index, path);
            continue;
        }
        const Byte* data = nullptr;
        size_t size = 0;
        result = archive.Decode(index, data, size);
        if (result != SZ_OK)
            break;
        if (!WriteWholeFile(path, data, size))
            return kExtractOutputFailed;
        archive.ApplyStoredAttributes(index, path);
        if (!unpacked)
            continue;
        if (FileHandle lock = LockAsWritten(path, data, size))
            unpacked->push_back({path.substr(folder.size()), std::move(lock)});
    }
    return DecoderResult(result);
}

}  // namespace repair
