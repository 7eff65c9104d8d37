// The text of a string value is taken from the bytes the registry returned, never from
// what follows them in the buffer. Wine always ends such a value with a zero of its own
// when the buffer has room, so these rows are shown on the rule alone.
#include "env/regtext.h"

#include <gtest/gtest.h>

#include <string>

TEST(RegText, OnlyTheReturnedBytesAreText)
{
    // The whole buffer (stale bytes after the returned ones), the bytes returned, the length.
    const struct { std::string buffer; unsigned long size; int length; } rows[] = {
        {std::string("abc\0zz", 6), 4, 3},
        {"abczzzz", 3, 3},
        {"zzzz", 0, 0},
        {std::string(2048, 'a'), 2048, -1},
        {"ab" + std::string(1, '\0') + std::string(2045, 'c'), 2048, 2},
        {std::string(2048, 'a'), 2049, -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(genba::RegTextLength(row.buffer.data(), row.size, 2048), row.length) << row.size;
}
