#include <genbafw/wildcard.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

struct MatchRow {
    const char* pattern;
    const char* name;
    bool matches;
};

const MatchRow kMatchRows[] = {
    // '*' and "*.*" take everything, dot or not
    {"*", "abc", true}, {"*", "", true}, {"*", "..", true},
    {"*.*", "noext", true}, {"*.*", "a.b.c", true}, {"*.*", ".hidden", true},
    {"a*.*", "abc", true}, {"a*.*", "b.c", false},
    // "*." only names without a dot; a trailing dot may match the end of the name
    {"*.", "noext", true}, {"*.", "a.b", false}, {"abc.", "abc", true}, {"abc.", "abc.", true},
    // the numbered listing pattern
    {"*.???", "a.001", true}, {"*.???", "a.12", true}, {"*.???", "a.1", true}, {"*.???", "x", true},
    {"*.???", "a.b.001", true}, {"*.???", "b.0001", false}, {"*.???", "c.00A1", false},
    // exact extensions: no long extension passes through its short form
    {"*.001", "Tokyo.001", true}, {"*.001", "tokyo.001", true}, {"*.001", "a.b.001", true},
    {"*.001", "Tokyo.0012", false}, {"*.001", "x.001.bak", false}, {"*.001", "x.01", false},
    {"*.ABC", "x.ABCD", false}, {"*.ABC", "x.abc", true}, {"*.htm", "c.html", false},
    // '?': one character other than a dot, or none before a dot or at the end
    {"a?c", "abc", true}, {"a?c", "ac", false}, {"a?c", "a.c", false}, {"a?", "a", true},
    {"a??.txt", "a.txt", true}, {"a?.txt", "abc.txt", false}, {"*.ab?", "x.ab", true},
    // ... except that the final run of '?' may take a dot that ends the name
    {"?", ".", true}, {"??.", ".", true}, {"?.?", "..", true}, {"??", "..", false}, {"a??", "a.b", false},
    // case folds for single-byte and full-width Latin letters, never for a trail byte alone
    {"ABC.TXT", "abc.txt", true}, {"\x83\x61", "\x83\x41", false},
    {"\x82\x60*", "\x82\x81.txt", true}, {"*\x82\x9A", "x\x82\x79", true}, {"\x82\x60", "\x82\x82", false},
    // a double-byte character is one character: '?' takes it whole ...
    {"a?b", "a\x95\x5C" "b", true}, {"a??b", "a\x95\x5C" "b", false},
    {"*.txt", "\x83\x5C.txt", true}, {"\x95\x5C*", "\x95\x5C" "abc", true},
    // ... and its second byte is never a wildcard or a dot (81 2A, 81 3F, 81 2E)
    {"\x81*", "\x81*", true}, {"\x81*", "\x81z", false}, {"a\x81?", "a\x81z", false},
    {"*\x81.", "x\x81.", true}, {"*\x81.", "x\x81", false},
    // nothing is empty
    {"", "", true}, {"", "a", false}, {"a", "", false},
};

TEST(MatchWildcard, Table)
{
    for (size_t i = 0; i < sizeof kMatchRows / sizeof kMatchRows[0]; ++i) {
        const MatchRow& r = kMatchRows[i];
        EXPECT_EQ(r.matches, genba::MatchWildcard(r.pattern, r.name))
            << "row " << i << ": pattern \"" << r.pattern << "\" name \"" << r.name << '"';
    }
}

TEST(MatchWildcard, EveryNameMatchesItselfAndStar)
{
    const char* names[] = {"a", "a.", "a..", ".", "..", ".hidden", "x.ABCD", "Tokyo.0012", "a b", "a.b.c",
                           "\x95\x5C.001", "\x83\x7C|", "\x81", "ab\x81", "\xCC\xAB\xD9\xC0\xDE\xB0\x31.001"};
    for (const char* n : names) {
        EXPECT_TRUE(genba::MatchWildcard(n, n)) << n;
        EXPECT_TRUE(genba::MatchWildcard("*", n)) << n;
        EXPECT_TRUE(genba::MatchWildcard("*.*", n)) << n;
    }
}

TEST(MatchWildcard, NullIsEmpty)
{
    EXPECT_TRUE(genba::MatchWildcard(nullptr, nullptr));
    EXPECT_TRUE(genba::MatchWildcard("*", nullptr));
    EXPECT_FALSE(genba::MatchWildcard(nullptr, "a"));
}

// A backtracking matcher needs ages for many stars against a near miss.
TEST(MatchWildcard, ManyStarsStayFast)
{
    std::string pattern, longPattern;
    for (int i = 0; i < 40; ++i) pattern += "*a";
    pattern += "*b";
    for (int i = 0; i < 400; ++i) longPattern += "*a";   // beyond the stack buffer
    longPattern += "?c";
    std::string name(3000, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(genba::MatchWildcard(pattern.c_str(), name.c_str()));
    EXPECT_TRUE(genba::MatchWildcard(pattern.c_str(), (name + "b").c_str()));
    EXPECT_FALSE(genba::MatchWildcard(longPattern.c_str(), name.c_str()));
    EXPECT_TRUE(genba::MatchWildcard(longPattern.c_str(), (name + "xc").c_str()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
