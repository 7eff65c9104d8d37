// One owning type per OS handle kind, made from one policy template: not copyable,
// movable, access explicit (get, release, put). Closing keeps GetLastError intact, so
// cleaning up never hides the error that made a function fail.
#pragma once

#include <windows.h>
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

using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

} // namespace genba
