#pragma once

#include <windows.h>

#include <utility>

// One owner per Win32 handle. Traits give the empty value and the release call:
//   struct Traits { static Handle Empty(); static void Release(Handle); };
// Areas define their own traits for the kinds only they use (GDI objects, HINTERNET, ...).
template <typename Traits, typename Handle = decltype(Traits::Empty())>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Empty(); }
    explicit operator bool() const { return Valid(); }

    // For out-parameters: releases what is held and hands out the slot.
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }
    Handle Detach() { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty())
    {
        if (Valid())
            Traits::Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct KernelHandleTraits {  // threads, processes, events: empty is null
    static HANDLE Empty() { return nullptr; }
    static void Release(HANDLE handle) { CloseHandle(handle); }
};
struct FileHandleTraits {  // CreateFileW: empty is INVALID_HANDLE_VALUE
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { CloseHandle(handle); }
};
struct FindHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { FindClose(handle); }
};
struct RegistryKeyTraits {
    static HKEY Empty() { return nullptr; }
    static void Release(HKEY key) { RegCloseKey(key); }
};
struct ModuleTraits {
    static HMODULE Empty() { return nullptr; }
    static void Release(HMODULE module) { FreeLibrary(module); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
