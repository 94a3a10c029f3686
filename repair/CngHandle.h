#pragma once

#include <UniqueHandle.h>

#include <windows.h>

#include <bcrypt.h>

struct CngAlgorithmTraits {
    static BCRYPT_ALG_HANDLE Empty() { return nullptr; }
    static void Release(BCRYPT_ALG_HANDLE handle) { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct CngHashTraits {
    static BCRYPT_HASH_HANDLE Empty() { return nullptr; }
    static void Release(BCRYPT_HASH_HANDLE handle) { BCryptDestroyHash(handle); }
};

using CngAlgorithm = UniqueHandle<CngAlgorithmTraits>;
using CngHash = UniqueHandle<CngHashTraits>;
