#pragma once

#include <string>

// A shared library loaded at run time by its path, unloaded when this object goes.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary() { Unload(); }

    bool Load(const std::string& path);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }
    // The address of an exported symbol, or nullptr when the library has none by that name.
    void* Symbol(const char* name) const;

    // The library's file name on this platform: "libNAME.so", "NAME.dll" or "libNAME.dylib".
    static std::string FileName(const std::string& name);

private:
    void* m_handle = nullptr;
};
