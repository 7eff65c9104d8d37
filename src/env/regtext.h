// The text in the bytes a registry query returned: pure, so that the rule holds
// whatever the system does or does not append.
#pragma once

#include <cstring>

namespace genba {

// Length of the text in `data`, the `size` bytes a query returned into a buffer of
// `limit` bytes: up to the first zero among them, or all of them when none is zero.
// -1 when the text does not fit: more bytes than the buffer, or a full buffer without
// a zero (the terminator would not have fitted).
//   "abc" (3 bytes), limit 2048         => 3
//   "ab\0cd" (5 bytes)                  => 2
//   2048 bytes without a zero, limit 2048 => -1
inline int RegTextLength(const char* data, unsigned long size, unsigned long limit)
{
    if (size > limit) return -1;
    const void* zero = size ? std::memchr(data, 0, size) : nullptr;
    if (zero) return static_cast<int>(static_cast<const char*>(zero) - data);
    return size < limit ? static_cast<int>(size) : -1;
}

} // namespace genba
