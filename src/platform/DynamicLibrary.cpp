#include "platform/DynamicLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

bool DynamicLibrary::Load(const std::string& path) {
    Unload();
#if defined(_WIN32)
    m_handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
#else
    // A path without a slash would make the loader search its own folders; the library is
    // always taken from the place named.
    if (path.find('/') == std::string::npos) {
        return false;
    }
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    return m_handle != nullptr;
}

void DynamicLibrary::Unload() {
    if (m_handle == nullptr) {
        return;
    }
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(m_handle));
#else
    dlclose(m_handle);
#endif
    m_handle = nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (m_handle == nullptr) {
        return nullptr;
    }
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(m_handle), name));
#else
    return dlsym(m_handle, name);
#endif
}

std::string DynamicLibrary::FileName(const std::string& name) {
#if defined(_WIN32)
    return name + ".dll";
#elif defined(__APPLE__)
    return "lib" + name + ".dylib";
#else
    return "lib" + name + ".so";
#endif
}
