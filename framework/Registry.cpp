// The calls are taken from kernelbase, which has them on Windows 8 and later and under Wine.
// Importing advapi32 would load it (and, under Wine, sechost and ucrtbase) at every start:
// some 5 ms of a command run of about 45 ms (bench_command).  Where kernelbase lacks them,
// advapi32 is loaded at the first call.
#include "framework/Registry.h"

namespace {

struct RegistryCalls {
    decltype(&RegOpenKeyExA) open = nullptr;
    decltype(&RegQueryValueExA) query = nullptr;
    decltype(&RegCloseKey) close = nullptr;

    bool From(HMODULE library) {
        if (library == nullptr)
            return false;
        open = reinterpret_cast<decltype(open)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegOpenKeyExA")));
        query = reinterpret_cast<decltype(query)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegQueryValueExA")));
        close = reinterpret_cast<decltype(close)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegCloseKey")));
        return open != nullptr && query != nullptr && close != nullptr;
    }
};

const RegistryCalls& Calls() {
    static const RegistryCalls calls = [] {
        RegistryCalls found;
        if (!found.From(GetModuleHandleW(L"kernelbase.dll")))
            found.From(LoadLibraryExW(L"advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        return found;
    }();
    return calls;
}

} // namespace

LONG OpenRegistryKey(HKEY parent, const char* subKey, REGSAM access, HKEY* opened) {
    const RegistryCalls& calls = Calls();
    return calls.open != nullptr ? calls.open(parent, subKey, 0, access, opened)
                                 : LONG(ERROR_PROC_NOT_FOUND);
}

LONG QueryRegistryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
    const RegistryCalls& calls = Calls();
    return calls.query != nullptr ? calls.query(key, name, nullptr, type, data, size)
                                  : LONG(ERROR_PROC_NOT_FOUND);
}

void CloseRegistryKey(HKEY key) {
    if (const auto close = Calls().close)
        close(key);
}
