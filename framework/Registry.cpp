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

    // All three from `library`, or none.
    bool From(HMODULE library) {
        if (library == nullptr)
            return false;
        RegistryCalls found;
        found.open = reinterpret_cast<decltype(open)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegOpenKeyExA")));
        found.query = reinterpret_cast<decltype(query)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegQueryValueExA")));
        found.close = reinterpret_cast<decltype(close)>(
            reinterpret_cast<void*>(GetProcAddress(library, "RegCloseKey")));
        if (found.open == nullptr || found.query == nullptr || found.close == nullptr)
            return false;
        *this = found;
        return true;
    }
};

const RegistryCalls& Calls() {
    static const RegistryCalls calls = [] {
        RegistryCalls found;
        if (!found.From(GetModuleHandleW(L"kernelbase.dll")))
            found.From(LoadLibraryW(L"advapi32.dll")); // a known DLL: always the system's
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
