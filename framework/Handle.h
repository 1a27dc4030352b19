// Owners of the platform's handles: each closes its handle when it goes, unless the handle was
// detached.  One template, one small traits type per kind of handle.
#pragma once

#include <windows.h>

template <class Traits> class CHandleOwner {
public:
    using Handle = typename Traits::Handle;

    CHandleOwner() = default;
    explicit CHandleOwner(Handle handle) : m_handle(handle) {}
    ~CHandleOwner() { Close(); }
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : m_handle(other.Detach()) {}
    CHandleOwner& operator=(CHandleOwner&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = other.Detach();
        }
        return *this;
    }

    bool IsOpen() const { return m_handle != Traits::Invalid() && m_handle != Handle(); }
    Handle Get() const { return m_handle; }
    // Gives the handle up: the caller (or the platform) closes it now.
    Handle Detach() {
        Handle handle = m_handle;
        m_handle = Traits::Invalid();
        return handle;
    }
    void Close() {
        if (IsOpen())
            Traits::Close(m_handle);
        m_handle = Traits::Invalid();
    }

private:
    Handle m_handle = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
// Handles that are null when there is none, closed by `close`.
template <class H, auto close> struct NullHandleTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { close(handle); }
};

using CFileHandle = CHandleOwner<FileHandleTraits>;                        // CreateFile
using CGlobalMemory = CHandleOwner<NullHandleTraits<HGLOBAL, GlobalFree>>; // GlobalAlloc
using CMenu = CHandleOwner<NullHandleTraits<HMENU, DestroyMenu>>;          // CreatePopupMenu
using CRegistryKey = CHandleOwner<NullHandleTraits<HKEY, RegCloseKey>>;    // RegOpenKeyEx
