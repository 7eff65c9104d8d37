// The wildcard matcher: one row per rule. Pure, so the native build runs it too;
// fuzz/fuzz_wildcard.cpp checks its properties on any pattern and name.
#include <genbafw/wildcard.h>

#include <gtest/gtest.h>

namespace {

TEST(MatchWildcard, Table)
{
    const struct { const char* pattern; const char* name; bool matches; } rows[] = {
        // '*' and "*.*" take everything; "*." only names without a dot
        {"*", "..", true}, {"*.*", "noext", true}, {"a*.*", "b.c", false}, {"*.", "a.b", false}, {"abc.", "abc", true},
        // the numbered listing pattern: three characters or fewer after the last dot
        {"*.???", "a.12", true}, {"*.???", "x", true}, {"*.???", "a.b.001", true}, {"*.???", "b.0001", false},
        // exact extensions: no long extension passes through its short form
        {"*.001", "X.b.001", true}, {"*.001", "Tokyo.0012", false}, {"*.ABC", "x.ABCD", false},
        // '?': one character other than a dot, or none before a dot or at the end ...
        {"a?c", "ac", false}, {"a?c", "a.c", false}, {"a?", "a", true}, {"a??.txt", "a.txt", true},
        // ... except that the final run of '?' may take a dot that ends the name
        {"?", ".", true}, {"??.", ".", true}, {"?.?", "..", true}, {"??", "..", false}, {"a??", "a.b", false},
        // case folds for single-byte and full-width Latin letters, never for a trail byte alone
        {"ABC.TXT", "abc.txt", true}, {"\x83\x61", "\x83\x41", false}, {"\x82\x60*", "\x82\x81.txt", true},
        // a double-byte character is one character, and its second byte is never a wildcard or a dot
        {"a?b", "a\x95\x5C" "b", true}, {"a??b", "a\x95\x5C" "b", false}, {"\x81*", "\x81z", false},
        {"*\x81.", "x\x81", false},
        // nothing is empty; null counts as empty
        {"", "a", false}, {"a", "", false}, {nullptr, nullptr, true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.matches, genba::MatchWildcard(r.pattern, r.name)) << "row " << (&r - rows);
}

} // namespace
