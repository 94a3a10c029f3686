#include "UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

bool IsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != 0;
}

TEST(UniqueHandle, ClosesOnScopeExitAndOnReset)
{
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle event(raw);
        EXPECT_TRUE(event.Valid());
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));

    KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE first = event.Get();
    event.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(event.Get()));
}

TEST(UniqueHandle, MoveLeavesOneOwner)
{
    KernelHandle a(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE raw = a.Get();
    KernelHandle b(std::move(a));
    EXPECT_FALSE(a.Valid());
    EXPECT_EQ(b.Get(), raw);
    KernelHandle c;
    c = std::move(b);
    EXPECT_EQ(c.Get(), raw);
    EXPECT_TRUE(IsOpen(raw));
    HANDLE detached = c.Detach();
    EXPECT_FALSE(c.Valid());
    EXPECT_TRUE(IsOpen(detached));
    CloseHandle(detached);
}

TEST(UniqueHandle, InvalidFileHandleIsEmpty)
{
    FileHandle file(CreateFileW(L"C:\\no\\such\\file.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(file.Valid());
    RegistryKey key;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
    EXPECT_TRUE(key.Valid());
}

}  // namespace
