#pragma once

#include <windows.h>

#include <string>

// Zentarium.exe from beside the test exe, loaded as a data file so its resources can be read.
class ExeModule {
public:
    ExeModule();
    ~ExeModule();
    ExeModule(const ExeModule&) = delete;
    ExeModule& operator=(const ExeModule&) = delete;

    HMODULE Get() const { return module_; }
    // The bytes of one resource; empty when the resource is missing.
    std::string Bytes(const wchar_t* type, int id) const;

private:
    HMODULE module_ = nullptr;
};

// The bytes of a resource of the running test exe itself; empty when it is missing.
std::string OwnResourceBytes(const wchar_t* type, int id);
