// A turn that programs take one after another, across processes: a named mutex, held from
// Take until the owner goes.  A holder that ended without letting go gives the turn up.
#pragma once

#include "framework/Handle.h"

#include <string>

using CMutexHandle = CHandleOwner<NullHandleTraits<HANDLE, CloseHandle>>; // CreateMutex

class CSharedTurn {
public:
    // Names may not hold a backslash but after "Local\" or "Global\".
    explicit CSharedTurn(const std::wstring& name)
        : m_mutex(CreateMutexW(nullptr, FALSE, name.c_str())) {}
    ~CSharedTurn() {
        if (m_held)
            ReleaseMutex(m_mutex.Get());
    }
    CSharedTurn(const CSharedTurn&) = delete;
    CSharedTurn& operator=(const CSharedTurn&) = delete;

    // Waits up to `ms` for the turn: 0, ERROR_TIMEOUT where another kept it throughout, or
    // the platform's code.
    DWORD Take(DWORD ms) {
        if (!m_mutex.IsOpen())
            return GetLastError();
        const DWORD waited = WaitForSingleObject(m_mutex.Get(), ms);
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        return m_held ? 0 : waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : GetLastError();
    }

private:
    CMutexHandle m_mutex;
    bool m_held = false;
};
