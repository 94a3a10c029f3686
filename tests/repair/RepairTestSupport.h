#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace repair_test {

// A fresh folder in the user's temporary folder (on the system drive), removed with all it holds,
// read-only files included.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }  // with a trailing "\"

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& path);

// fixtures\repair\<name> beside the test exe.
std::wstring RepairFixture(const std::wstring& name);

// Copies a repair fixture, creating the target's folder; false when the copy failed.
bool CopyFixture(const std::wstring& name, const std::wstring& target);

std::string ReadText(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);  // replaces the file
bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);

// True when the file can be read, as an unpacker or installer reads it, but can be neither
// opened for writing, deleted nor moved aside.
bool IsHeldAgainstChange(const std::wstring& path);

// What the registering test DLL left under HKCU "Software\ZentariumTests\Registered": the path
// it was loaded from, by file name.
std::optional<std::wstring> RegisteredPath(const std::wstring& dllName);
// Polls, since regsvr32 is waited for only briefly.
std::optional<std::wstring> WaitForRegistration(const std::wstring& dllName, DWORD timeoutMs = 30000);
void ForgetRegistrations();

// Deletes a file a test put into a system folder, retrying while a regsvr32 still holds it.
void RemoveSystemFile(const std::wstring& path);

// "C:\" of the temporary folder: the drive the tests' work directories are on.
std::wstring DriveRootOfTemp();

// The test machine is a 64-bit Windows. Its 64-bit system32 as this process reaches it: a 32-bit
// process is redirected from "system32" to syswow64 and reaches the real one through "sysnative".
std::wstring RealSystem32();
// The test DLLs are built for the test's own architecture: the DLL-archive type whose system
// folder fits them (14, system32, for x64; 13, syswow64, for x86) and that folder by its real
// name, as the DLL's registration records it.
int32_t NativeDllType();
std::wstring NativeDllFolder();
// A 64-bit regsvr32 cannot load a 32-bit DLL: the x86 test DLLs are not registered from system32.
bool TestDllsRegisterFromSystem32();

// Runs a command line and waits for it (at most timeoutMs); false when it could not start.
bool RunAndWait(const std::wstring& commandLine, DWORD timeoutMs);

bool EqualNoCase(const std::wstring& left, const std::wstring& right);

}  // namespace repair_test
