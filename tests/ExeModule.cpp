#include "ExeModule.h"

#include "TestPaths.h"

namespace {

std::string ResourceBytes(HMODULE module, const wchar_t* type, int id)
{
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return {};
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, info));
}

}  // namespace

ExeModule::ExeModule()
{
    std::wstring exe = testing_paths::ExeFolder() + L"Zentarium.exe";
    module_ = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

ExeModule::~ExeModule()
{
    if (module_)
        FreeLibrary(module_);
}

std::string ExeModule::Bytes(const wchar_t* type, int id) const
{
    return module_ ? ResourceBytes(module_, type, id) : std::string();
}

std::string OwnResourceBytes(const wchar_t* type, int id)
{
    return ResourceBytes(GetModuleHandleW(nullptr), type, id);
}
