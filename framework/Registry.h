// The registry calls the program makes, reached without importing advapi32.
#pragma once

#include "framework/Handle.h"

#include <windows.h>

LONG OpenRegistryKey(HKEY parent, const char* subKey, REGSAM access, HKEY* opened);
LONG QueryRegistryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
void CloseRegistryKey(HKEY key);

using CRegistryKey = CHandleOwner<NullHandleTraits<HKEY, CloseRegistryKey>>; // OpenRegistryKey
