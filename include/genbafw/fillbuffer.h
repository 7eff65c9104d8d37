// One way to call every fill-a-buffer system function: try a buffer, grow it to the
// size the system asks for (or double it when the system does not say), and stop at a
// limit, so that no call site writes its own growing loop.
//
//   CString dir;
//   bool ok = genba::FillString(dir, MAX_PATH + 1, MAX_PATH + 1, [](char* buf, unsigned long size) {
//       DWORD n = GetCurrentDirectoryA(size, buf);
//       return n == 0 ? Fill::Failed() : n < size ? Fill::Done(n) : Fill::Grow(n);
//   });
#pragma once

#include <genbafw/cstring.h>

#include <memory>
#include <new>

namespace genba {

// What one attempt came to.
struct Fill {
    enum Kind { kDone, kGrow, kFailed } kind;
    unsigned long value;   // kDone: bytes filled; kGrow: size wanted, 0 when not known

    static Fill Done(unsigned long length) { return Fill{kDone, length}; }
    static Fill Grow(unsigned long wanted = 0) { return Fill{kGrow, wanted}; }
    static Fill Failed() { return Fill{kFailed, 0}; }
};

// The size to try after `size` when the system asked for `wanted`; 0 when there is none:
// past the limit, or a system that asks for no more room than it had (it would be asked
// again forever).
inline unsigned long NextFillSize(unsigned long size, unsigned long wanted, unsigned long limit)
{
    unsigned long next = wanted != 0 ? wanted : (size <= limit / 2 ? size * 2 : limit);
    if (next <= size || next > limit) return 0;
    return next;
}

// A byte buffer for system calls that fill records rather than text. Keeps its size
// between calls, so that an enumeration grows it once and reuses it for every batch.
class FillBytes {
public:
    explicit FillBytes(unsigned long size) : m_data(new (std::nothrow) unsigned char[size]), m_size(m_data ? size : 0) {}
    unsigned char* data() const { return m_data.get(); }
    unsigned long size() const { return m_size; }
    bool valid() const { return m_data != nullptr; }

    // fill(data, size) until it is done (true, length in `length`) or fails, or the
    // buffer would pass `limit` (false).
    template <typename Attempt>
    bool Call(unsigned long limit, Attempt fill, unsigned long& length)
    {
        while (m_data) {
            const genba::Fill r = fill(m_data.get(), m_size);
            if (r.kind == genba::Fill::kDone) {
                length = r.value;
                return true;
            }
            if (r.kind == genba::Fill::kFailed) return false;
            const unsigned long next = NextFillSize(m_size, r.value, limit);
            if (next == 0) return false;
            m_data.reset();   // the old block goes before the new one is asked for
            m_data.reset(new (std::nothrow) unsigned char[next]);
            m_size = m_data ? next : 0;
        }
        return false;
    }

private:
    std::unique_ptr<unsigned char[]> m_data;
    unsigned long m_size;
};

// A text: fill(buffer, size) with buffers of `first` bytes and more, up to `limit`. On
// success `out` holds the bytes filled; on failure it is left as it was.
template <typename Attempt>
bool FillString(CString& out, unsigned long first, unsigned long limit, Attempt fill)
{
    for (unsigned long size = first; size != 0;) {
        CString text;
        char* buf = text.GetBuffer(static_cast<int>(size));
        const genba::Fill r = fill(buf, size);
        const bool done = r.kind == genba::Fill::kDone && r.value < size + 1;
        text.ReleaseBuffer(done ? static_cast<int>(r.value) : 0);
        if (done) {
            out = text;
            return true;
        }
        if (r.kind != genba::Fill::kGrow) return false;
        size = NextFillSize(size, r.value, limit);
    }
    return false;
}

} // namespace genba
