// One owning type per OS handle kind, made from one policy template: not copyable,
// movable, access explicit (get, release, put). Closing keeps GetLastError intact, so
// cleaning up never hides the error that made a function fail.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include <utility>

namespace genba {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : m_h(Traits::Empty()) {}
    explicit UniqueHandle(Handle h) noexcept : m_h(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return m_h; }
    bool valid() const noexcept { return Traits::IsValid(m_h); }
    explicit operator bool() const noexcept { return valid(); }

    Handle release() noexcept
    {
        Handle h = m_h;
        m_h = Traits::Empty();
        return h;
    }

    void reset(Handle h = Traits::Empty()) noexcept
    {
        if (Traits::IsValid(m_h)) {
            DWORD err = GetLastError();
            Traits::Close(m_h);
            SetLastError(err);
        }
        m_h = h;
    }

    // For out-parameters: closes what is held, then hands out the slot.
    Handle* put() noexcept
    {
        reset();
        return &m_h;
    }

private:
    Handle m_h;
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

// Kernel objects closed with CloseHandle: processes, threads, files.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

// GDI objects the caller made (bitmaps, pens, brushes, fonts), deleted with
// DeleteObject; never a stock object. Deselect one before its owner goes.
template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

// Memory device contexts (CreateCompatibleDC), deleted with DeleteDC.
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

// Hooks (SetWindowsHookEx), removed with UnhookWindowsHookEx.
struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { UnhookWindowsHookEx(h); }
};

// Shell item lists the shell handed over, freed with the shell's allocator (SHGetMalloc's
// allocator is the task allocator).
struct ItemListTraits {
    using Handle = ITEMIDLIST*;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};

// References to COM objects, released once.
template <typename Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { h->Release(); }
};

using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDC = UniqueHandle<MemoryDCTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueItemList = UniqueHandle<ItemListTraits>;
template <typename Interface>
using UniqueCom = UniqueHandle<ComTraits<Interface>>;

// The component system on this thread (single-threaded apartment) for a scope, as the
// applications start it; a thread that already runs it in the other model keeps that,
// which serves as well.
class ComApartment {
public:
    ComApartment() noexcept : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    bool usable() const noexcept { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

// A window's device context (GetDC or GetWindowDC), given back with ReleaseDC: the
// release needs the window too, so this owner holds both.
class WindowDC {
public:
    WindowDC(HWND hWnd, HDC hDC) noexcept : m_hWnd(hWnd), m_hDC(hDC) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
    }
    HDC get() const noexcept { return m_hDC; }
    explicit operator bool() const noexcept { return m_hDC != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// An object selected into a device context for a scope; the previous one goes back.
class ScopedSelect {
public:
    ScopedSelect(HDC hDC, HGDIOBJ hObject) noexcept
        : m_hDC(hDC), m_hOld(hDC && hObject ? SelectObject(hDC, hObject) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect()
    {
        if (m_hOld && m_hOld != HGDI_ERROR) SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A device context's drawing state (objects, colours, modes) kept for a scope.
class ScopedDCState {
public:
    explicit ScopedDCState(HDC hDC) noexcept : m_hDC(hDC), m_nSaved(hDC ? SaveDC(hDC) : 0) {}
    ScopedDCState(const ScopedDCState&) = delete;
    ScopedDCState& operator=(const ScopedDCState&) = delete;
    ~ScopedDCState()
    {
        if (m_nSaved) RestoreDC(m_hDC, m_nSaved);
    }

private:
    HDC m_hDC;
    int m_nSaved;
};

} // namespace genba
