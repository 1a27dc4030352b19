// Functions of system libraries that only some commands need (the file dialogs, the shell),
// loaded when first called: a start-up does not pay for loading the libraries.
#pragma once

#include <windows.h>

// The function, or null when the library or the function is missing.
template <class Function> Function LoadOnUse(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr)
        module = LoadLibraryW(library); // stays loaded for the rest of the run
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}
