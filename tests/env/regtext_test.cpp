// The text of a string value is taken from the bytes the registry returned, never from
// what follows them in the buffer. Wine always adds a terminator to a string stored
// without one (and asks for room for it), so this rule is shown here on its own.
#include "env/regtext.h"

#include <gtest/gtest.h>

#include <string>

TEST(RegText, OnlyTheReturnedBytesAreText)
{
    const std::string full(2048, 'a');
    const struct {
        const char* what;
        std::string buffer;   // the whole buffer, stale bytes after the returned ones
        unsigned long size;   // bytes returned
        int length;
    } rows[] = {
        {"terminated", std::string("abc\0zzzz", 8), 4, 3},
        {"unterminated, stale bytes after", "abczzzz", 3, 3},
        {"zero inside", std::string("ab\0cd", 5), 5, 2},
        {"nothing returned", "zzzz", 0, 0},
        {"only a zero", std::string("\0zz", 3), 1, 0},
        {"2047 bytes, stale byte after", std::string(2047, 'a') + "z", 2047, 2047},
        {"2047 bytes and zero", std::string(2047, 'a') + '\0', 2048, 2047},
        {"2048 bytes, no zero", full, 2048, -1},
        {"2048 bytes, zero inside", "ab" + std::string(1, '\0') + std::string(2045, 'c'), 2048, 2},
        {"more than the buffer", full, 2049, -1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(genba::RegTextLength(row.buffer.data(), row.size, 2048), row.length) << row.what;
    }
}
