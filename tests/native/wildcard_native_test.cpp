// The wildcard matcher at the byte level: double-byte characters as one character, trail
// bytes that are never letters or wildcards, lone lead bytes, very long inputs.
#include "native_support.h"

#include <genbafw/wildcard.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using genba::MatchWildcard;

struct MatchRow {
    const char* pattern;
    const char* name;
    bool want;
};

TEST(NativeWildcard, DoubleByteCharacters)
{
    const MatchRow rows[] = {
        {"?", "\x95\x5C", true},                  // one character of two bytes
        {"?\x5C", "\x95\x5C", false},
        {"??", "\x95\x5C", true},                 // the second ? matches nothing at the end
        {"?.txt", "\x95\x5C.txt", true},
        {"\x95\x5C*", "\x95\x5C\x95\x5C.001", true},
        {"*\x5C", "\x95\x5C", false},             // a trail byte is not a character
        {"\x81*", "\x81x", false},                // 81 2A is one character, not a star
        {"\x81*", "\x81*", true},
        {"\x83\x61", "\x83\x41", false},          // trail bytes are not letters
        {"A\x83\x61", "a\x83\x61", true},
        {"*\x81", "ab\x81", true},                // lone lead bytes at the end
        {"a?", "a\x81", true},
        {"*.???", "\x95\x5C.00\x81", true},
        {"*.???", "\x95\x5C.0\x95\x5C", true},
        {"*.001", "\x83\x7C.001", true},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const MatchRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.pattern) << " / " << Escaped(r.name));
        EXPECT_EQ(r.want, MatchWildcard(r.pattern, r.name));
    }
}

TEST(NativeWildcard, NullAndEmpty)
{
    EXPECT_TRUE(MatchWildcard("*", ""));
    EXPECT_TRUE(MatchWildcard(nullptr, nullptr));
    EXPECT_FALSE(MatchWildcard(nullptr, "a"));
    EXPECT_TRUE(MatchWildcard("*", nullptr));
}

TEST(NativeWildcard, ManyStarsStayFast)
{
    std::string stars(400, '*');   // past the matcher's stack buffer
    std::string name(5000, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchWildcard((stars + "b").c_str(), name.c_str()));
    EXPECT_TRUE(MatchWildcard((stars + "a").c_str(), name.c_str()));
    std::string alternating;
    for (int i = 0; i < 200; ++i) alternating += "*a";
    EXPECT_FALSE(MatchWildcard((alternating + "b").c_str(), name.c_str()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
