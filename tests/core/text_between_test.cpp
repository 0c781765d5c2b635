// The text between two markers: which occurrences count, how the start
// position applies to both searches, and the quote token in a marker.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "program_texts.h"
#include "text_between.h"

namespace corvanel {
namespace {

struct BetweenCase {
    const char* what;
    std::string_view text;
    std::string_view leading;
    std::string_view trailing;
    std::int32_t start;
    bool caseSensitive;
    std::string_view expected;
};

const BetweenCase kBetweenCases[] = {
    {"the first occurrence of each marker counts", "a=1&a=2&", "a=", "&", 0, false, "1"},
    {"a trailing marker in front is not seen", "&k=1", "k=", "&", 0, false, ""},
    {"a leading marker at the very end", "abck=", "k=", "&", 0, false, ""},
    {"the trailing marker right after the leading one", "k=&", "k=", "&", 0, false, ""},
    {"the trailing search begins after the leading marker", "x=1=2", "=", "=", 0, false, "1"},
    {"case ignored", "ID=5&", "id=", "&", 0, false, "5"},
    {"case respected", "ID=5&", "id=", "&", 0, true, ""},
    {"case ignored in the trailing marker", "id=5END", "id=", "end", 0, false, "5"},
    {"case respected in the trailing marker", "id=5END", "id=", "end", 0, true, ""},
    {"an empty leading marker is found at 1", "abc&def", "", "&", 0, false, "abc"},
    {"an empty trailing marker is found at 1 of the rest", "abc&def", "b", "", 0, false, ""},
    {"nothing to search", "", "k=", "&", 0, false, ""},
    {"start 1", "xk=&1&", "k=", "&", 1, false, ""},
    {"start 2 applies to the rest too", "xk=&1&", "k=", "&", 2, false, "&1"},

    {"no leading marker", "abc&", "k=", "&", 0, false, ""},
    {"no trailing marker", "k=abc", "k=", "&", 0, false, ""},
    {"a leading marker of several bytes is skipped whole", "<<tag>>rest", "<<", ">>", 0, false,
     "tag"},
    {"start 0, 1 and negative alike: 0", "a=1&a=2&", "a=", "&", 0, false, "1"},
    {"start 0, 1 and negative alike: 1", "a=1&a=2&", "a=", "&", 1, false, "1"},
    {"start 0, 1 and negative alike: -5", "a=1&a=2&", "a=", "&", -5, false, "1"},
    {"lowest start", "a=1&a=2&", "a=", "&", INT32_MIN, false, "1"},
    {"start beyond the text", "a=1&a=2&", "a=", "&", 9, false, ""},
    {"start beyond the text, empty leading marker", "abc&", "", "&", 5, false, ""},
    {"start passes over the first leading marker", "a=1&a=2&", "a=", "&", 2, false, "2"},
    // From start 3 the leading marker is the second a=; the rest is "22&".
    {"start 3 in a rest of three bytes", "a=1&a=22&", "a=", "&", 3, false, "22"},
    // From start 4 the rest is "2&", shorter than the start.
    {"start beyond the rest", "a=1&a=2&", "a=", "&", 4, false, ""},
    {"GBK value between ASCII markers", "k=\xC4\xE3\xBA\xC3&", "k=", "&", 0, false,
     "\xC4\xE3\xBA\xC3"},
    // C4 6B is one character, so the first k= cannot match.
    {"a leading marker never starts on a second byte", "\xC4k=1&k=2&", "k=", "&", 0, false, "2"},
    // C4 26 is one character, so its & is no trailing marker.
    {"a trailing marker never starts on a second byte", "k=1\xC4&2&", "k=", "&", 0, false,
     "1\xC4&2"},
    {"case ignored in a trail byte", "\x81\x41=5&", "\x81\x61=", "&", 0, false, "5"},
    {"case respected in a trail byte", "\x81\x41=5&", "\x81\x61=", "&", 0, true, ""},
};

TEST(TextBetween, Cases) {
    for (const BetweenCase& c : kBetweenCases) {
        SCOPED_TRACE(c.what);
        Text leading(c.leading);
        Text trailing(c.trailing);
        const Text result = TextBetween(Text(c.text), leading, trailing, c.start, c.caseSensitive);
        EXPECT_EQ(result.Bytes(), c.expected);
        // Markers without the quote token stay as they were.
        EXPECT_EQ(leading.Bytes(), c.leading);
        EXPECT_EQ(trailing.Bytes(), c.trailing);
    }
}

std::string WithQuoteToken(std::string_view before, std::string_view after = {}) {
    std::string marker(before);
    marker += kQuoteToken;
    marker += after;
    return marker;
}

TEST(TextBetweenQuoteToken, StandsForADoubleQuoteAndRewritesTheMarkers) {
    Text leading(WithQuoteToken("v="));
    Text trailing(kQuoteToken);
    // Had the marker's length been taken before the rewriting (7 bytes, not 3),
    // the value would lose its first four bytes.
    const Text result = TextBetween(Text("x v=\"abcdef\" y"), leading, trailing, 0, false);
    EXPECT_EQ(result.Bytes(), "abcdef");
    EXPECT_EQ(leading.Bytes(), "v=\"");
    EXPECT_EQ(trailing.Bytes(), "\"");
}

TEST(TextBetweenQuoteToken, EveryTokenOfAMarkerIsRewritten) {
    Text leading(WithQuoteToken("a", WithQuoteToken("b")));
    Text trailing("!");
    const Text result = TextBetween(Text("a\"b\"value!"), leading, trailing, 0, false);
    EXPECT_EQ(result.Bytes(), "value");
    EXPECT_EQ(leading.Bytes(), "a\"b\"");
    EXPECT_EQ(trailing.Bytes(), "!");
}

TEST(TextBetweenQuoteToken, MarkersAreRewrittenEvenWhenNothingIsFound) {
    Text leading(WithQuoteToken("v="));
    Text trailing(WithQuoteToken("", ";"));
    EXPECT_TRUE(TextBetween(Text(), leading, trailing, 0, false).IsEmpty());
    EXPECT_EQ(leading.Bytes(), "v=\"");
    EXPECT_EQ(trailing.Bytes(), "\";");
}

TEST(TextBetweenQuoteToken, TheSearchedTextKeepsItsTokens) {
    const std::string text = WithQuoteToken("<", ">");
    Text leading("<");
    Text trailing(">");
    // The token in the text is not a quote: a quote marker does not find it...
    Text quote(kQuoteToken);
    Text close(">");
    EXPECT_TRUE(TextBetween(Text(text), quote, close, 0, false).IsEmpty());
    // ...and it comes out byte for byte.
    EXPECT_EQ(TextBetween(Text(text), leading, trailing, 0, false).Bytes(), kQuoteToken);
}

}  // namespace
}  // namespace corvanel
