// The text value and its operations, to the byte: start positions, stepping
// over two-byte characters, letter folding, counts and clamping.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "text.h"

namespace corvanel {
namespace {

using namespace std::string_view_literals;

constexpr auto kAbsent = std::nullopt;
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

// Two GBK characters: 你好.
constexpr std::string_view kNiHao = "\xC4\xE3\xBA\xC3";

TEST(TextValue, StopsAtTheFirstZeroByte) {
    const Text middle(std::string_view("ab\0cd", 5));
    EXPECT_EQ(middle.Bytes(), "ab");
    EXPECT_EQ(TextLength(middle), 2);

    const Text leading(std::string_view("\0abc", 4));
    EXPECT_TRUE(leading.IsEmpty());
    EXPECT_EQ(TextLength(leading), 0);

    const Text gbk(std::string_view("\xC4\xE3\0\xBA\xC3", 5));
    EXPECT_EQ(gbk.Bytes(), "\xC4\xE3");
}

TEST(TextValue, AbsentAndEmptyAreTheSameValue) {
    const Text absent;
    const Text fromNull(static_cast<const char*>(nullptr));
    const Text empty("");
    EXPECT_EQ(absent, empty);
    EXPECT_EQ(fromNull, empty);
    EXPECT_TRUE(fromNull.IsEmpty());
    // What a Windows "A" function gets: a zero-terminated string, never null.
    ASSERT_NE(absent.CString(), nullptr);
    EXPECT_EQ(absent.CString()[0], '\0');
}

TEST(TextValue, CStringIsZeroTerminatedCopyOfTheBytes) {
    const Text text(kNiHao);
    EXPECT_EQ(std::string_view(text.CString()), kNiHao);
    EXPECT_EQ(text.CString()[4], '\0');
}

TEST(TextLength, CountsBytesNotCharacters) {
    EXPECT_EQ(TextLength(Text()), 0);
    EXPECT_EQ(TextLength(Text(kNiHao)), 4);
    EXPECT_EQ(TextLength(Text("abc")), 3);
    EXPECT_EQ(TextLength(Text("\x80")), 1);
}

struct FindCase {
    const char* what;
    std::string_view text;
    std::string_view sought;
    std::optional<std::int32_t> start;
    bool ignoreCase;
    std::int32_t expected;
};

const FindCase kFindCases[] = {
    // Start position rule.
    {"no start", "abcabc", "bc", kAbsent, false, 2},
    {"start 3 skips the first match", "abcabc", "bc", 3, false, 5},
    {"start 0 means the first byte", "abcabc", "bc", 0, false, 2},
    {"start 1 means the first byte", "abcabc", "bc", 1, false, 2},
    {"negative start means the first byte", "abcabc", "bc", -7, false, 2},
    {"lowest start means the first byte", "abcabc", "bc", kMinInt, false, 2},
    {"start 5 is a match", "abcabc", "bc", 5, false, 5},
    {"one byte left, two sought", "abcabc", "bc", 6, false, -1},
    {"start just past the end", "abcabc", "bc", 7, false, -1},
    {"highest start", "abcabc", "bc", kMaxInt, false, -1},
    {"sought longer than text", "ab", "abc", kAbsent, false, -1},
    {"whole text", "abc", "abc", kAbsent, false, 1},
    {"match at the last byte", "abcx", "x", kAbsent, false, 4},

    // The empty sought text.
    {"empty sought", "abc", "", kAbsent, false, 1},
    {"empty sought in empty text", "", "", kAbsent, false, -1},
    {"empty sought from start 4 is still 1", "abcdef", "", 4, false, 1},
    {"empty sought from the last byte", "abcdef", "", 6, false, 1},
    {"empty sought past the end", "abcdef", "", 7, false, -1},
    {"anything in the empty text", "", "a", kAbsent, false, -1},
    {"anything in the empty text, start 0", "", "a", 0, true, -1},

    // Case: only the ASCII capitals fold onto the small letters.
    {"ignore case", "shareid=5", "ID=", kAbsent, true, 6},
    {"match case", "shareid=5", "ID=", kAbsent, false, -1},
    {"capitals in the text fold too", "SHAREID=5", "id=", kAbsent, true, 6},
    {"[ is not the capital of {", "[", "{", kAbsent, true, -1},
    {"@ is not the capital of `", "@", "`", kAbsent, true, -1},
    {"Latin-1 capitals do not fold", "\xC1", "\xE1", kAbsent, true, -1},
    {"a trail byte folds: 81 41 finds 81 61", "\x81\x41", "\x81\x61", kAbsent, true, 1},
    {"a trail byte folds: 81 61 finds 81 41", "\x81\x61", "\x81\x41", kAbsent, true, 1},
    {"a trail byte with case", "\x81\x41", "\x81\x61", kAbsent, false, -1},

    // Two-byte stepping: a match never begins on a second byte.
    {"second byte E3", "\xC4\xE3\x41\x42", "\xE3\x41", kAbsent, false, -1},
    {"start on the second byte E3", "\xC4\xE3\x41\x42", "\xE3\x41", 2, false, 2},
    {"second byte is the letter A", "\xC4\x41\x42", "\x41\x42", kAbsent, false, -1},
    {"second byte is the letter A, ignore case", "\xC4\x41\x42", "ab", kAbsent, true, -1},
    {"start on the second byte 41", "\xC4\x41\x42", "\x41\x42", 2, false, 2},
    {"after the two-byte character", "\xC4\x41\x42", "\x42", kAbsent, false, 3},
    // From start 2 the byte E3 is taken as a first byte, so 41 is its second.
    {"a start on a second byte shifts the boundaries", "\xC4\xE3\x41", "\x41", 2, false, -1},
    {"the same byte found from the first byte", "\xC4\xE3\x41", "\x41", kAbsent, false, 3},
    {"the same byte found from start 3", "\xC4\xE3\x41", "\x41", 3, false, 3},
    {"0x80 is a first byte", "\x80\x41\x42", "\x41\x42", kAbsent, false, -1},
    {"0xFF is a first byte", "\xFF\x41", "A", kAbsent, false, -1},
    {"a two-byte character found whole", "a\xC4\xE3\xBA\xC3", "\xBA\xC3", kAbsent, false, 4},
    {"a lone first byte at the end is tried", "\x61\x62\xC4", "\xC4", kAbsent, false, 3},
    {"the scan ends after a lone first byte", "\x61\xC4", "z", kAbsent, false, -1},
};

TEST(TextFind, Cases) {
    for (const FindCase& c : kFindCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextFind(Text(c.text), Text(c.sought), c.start, c.ignoreCase), c.expected);
    }
}

struct ReplaceCase {
    const char* what;
    std::string_view text;
    std::string_view subtext;
    std::string_view replacement;
    std::optional<std::int32_t> start;
    std::optional<std::int32_t> count;
    bool matchCase;
    std::string_view expected;
};

const ReplaceCase kReplaceCases[] = {
    // Count.
    {"every occurrence", "abcabc", "b", "xy", kAbsent, kAbsent, true, "axycaxyc"},
    {"count 1", "abcabc", "b", "xy", kAbsent, 1, true, "axycabc"},
    {"count 2 of three", "aXaXa", "a", "", kAbsent, 2, true, "XXa"},
    {"count 0 replaces nothing", "abcabc", "b", "xy", kAbsent, 0, true, "abcabc"},
    {"negative count means no limit", "abcabc", "b", "xy", kAbsent, -5, true, "axycaxyc"},
    {"lowest count means no limit", "abcabc", "b", "xy", kAbsent, kMinInt, true, "axycaxyc"},
    {"count above the occurrences", "abcabc", "b", "xy", kAbsent, 9, true, "axycaxyc"},
    {"absent replacement removes", "abcabc", "b", "", kAbsent, kAbsent, true, "acac"},

    // Start position: the bytes in front are copied as they are.
    {"start 3", "abcabc", "b", "xy", 3, kAbsent, true, "abcaxyc"},
    {"start 0", "abcabc", "b", "xy", 0, kAbsent, true, "axycaxyc"},
    {"negative start", "abcabc", "b", "xy", -2, kAbsent, true, "axycaxyc"},
    {"start 3 with count 1", "abcabc", "b", "xy", 3, 1, true, "abcaxyc"},
    {"start at the last byte", "abcabc", "c", "Z", 6, kAbsent, true, "abcabZ"},
    {"start past the end", "abcabc", "b", "xy", 7, kAbsent, true, "abcabc"},
    {"start cuts a two-byte character", "\xC4\xE3\x41", "\xE3\x41", "z", 2, kAbsent, true,
     "\xC4z"},

    // No overlap, no second look at the inserted text.
    {"aa by a in aaaa", "aaaa", "aa", "a", kAbsent, kAbsent, true, "aa"},
    {"a by aa in aaa", "aaa", "a", "aa", kAbsent, kAbsent, true, "aaaaaa"},
    {"aba by X in ababa", "ababa", "aba", "X", kAbsent, kAbsent, true, "Xba"},
    {"the replacement holds the subtext", "ab", "b", "bb", kAbsent, kAbsent, true, "abb"},

    // Trivial inputs.
    {"empty text", "", "a", "b", kAbsent, kAbsent, true, ""},
    {"empty subtext", "abc", "", "X", kAbsent, kAbsent, true, "abc"},
    {"whole text removed", "abc", "abc", "", kAbsent, kAbsent, true, ""},
    {"nothing found", "abc", "x", "y", kAbsent, kAbsent, true, "abc"},

    // Case.
    {"match case false folds", "ABab", "ab", "x", kAbsent, kAbsent, false, "xx"},
    {"match case true is exact", "ABab", "ab", "x", kAbsent, kAbsent, true, "ABx"},
    {"trail bytes fold", "\x81\x41", "\x81\x61", "R", kAbsent, kAbsent, false, "R"},
    {"trail bytes with case", "\x81\x41", "\x81\x61", "R", kAbsent, kAbsent, true, "\x81\x41"},
    {"capital folding is ASCII only", "[\xC1", "{\xE1", "R", kAbsent, kAbsent, false, "[\xC1"},

    // Two-byte stepping.
    {"second byte 41 never starts a match", "\xC4\x41\x42", "\x41\x42", "zz", kAbsent, kAbsent,
     true, "\xC4\x41\x42"},
    {"from start 2 it does", "\xC4\x41\x42", "\x41\x42", "zz", 2, kAbsent, true, "\xC4zz"},
    {"0x80 is a first byte", "\x80\x41\x41", "\x41", "R", kAbsent, kAbsent, true, "\x80\x41R"},
    {"GBK replaced by GBK", "a\xC4\xE3" "b\xC4\xE3", "\xC4\xE3", "\xBA\xC3", kAbsent, kAbsent,
     true, "a\xBA\xC3" "b\xBA\xC3"},
    {"a lone first byte at the end is tried", "\x61\x62\xC4", "\xC4", "R", kAbsent, kAbsent,
     true, "abR"},
    {"a lone first byte at the end is kept", "\x61\x62\xC4", "x", "R", kAbsent, kAbsent, true,
     "\x61\x62\xC4"},
    {"a lone first byte after a replacement is kept", "\x62\xC4", "b", "R", kAbsent, kAbsent,
     true, "R\xC4"},
    {"a lone first byte behind a longer subtext is kept", "a\xC4", "zz", "R", kAbsent, kAbsent,
     true, "a\xC4"},
};

TEST(TextReplace, Cases) {
    for (const ReplaceCase& c : kReplaceCases) {
        SCOPED_TRACE(c.what);
        const Text result = TextReplace(Text(c.text), Text(c.subtext), Text(c.replacement),
                                        c.start, c.count, c.matchCase);
        EXPECT_EQ(result.Bytes(), c.expected);
    }
}

TEST(TextReplace, LeavesItsArgumentsAsTheyWere) {
    const Text text("abcabc");
    const Text subtext("b");
    const Text replacement("xy");
    const Text result = TextReplace(text, subtext, replacement, kAbsent, kAbsent, true);
    EXPECT_EQ(result.Bytes(), "axycaxyc");
    EXPECT_EQ(text.Bytes(), "abcabc");
    EXPECT_EQ(subtext.Bytes(), "b");
    EXPECT_EQ(replacement.Bytes(), "xy");
}

struct LeftRightCase {
    std::string_view text;
    std::int32_t count;
    std::string_view left;
    std::string_view right;
};

const LeftRightCase kLeftRightCases[] = {
    // Cuts bytes, so half a two-byte character may come out.
    {"\xC4\xE3\x41", 1, "\xC4", "\x41"},
    {"\xC4\xE3\x41", 2, "\xC4\xE3", "\xE3\x41"},
    {"\xC4\xE3\x41", 3, "\xC4\xE3\x41", "\xC4\xE3\x41"},
    {"\xC4\xE3\x41", 4, "\xC4\xE3\x41", "\xC4\xE3\x41"},
    {"\xC4\xE3\x41", kMaxInt, "\xC4\xE3\x41", "\xC4\xE3\x41"},
    {"\xC4\xE3\x41", 0, "", ""},
    {"\xC4\xE3\x41", -1, "", ""},
    {"\xC4\xE3\x41", kMinInt, "", ""},
    {"", 5, "", ""},
    {"", 0, "", ""},
};

TEST(TextLeftRight, CountsAreClamped) {
    for (const LeftRightCase& c : kLeftRightCases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << ", length " << c.text.size());
        EXPECT_EQ(TextLeft(Text(c.text), c.count).Bytes(), c.left);
        EXPECT_EQ(TextRight(Text(c.text), c.count).Bytes(), c.right);
    }
}

TEST(TextConcat, JoinsBytesInOrder) {
    EXPECT_EQ(TextConcat(Text(), Text(" ")).Bytes(), " ");
    EXPECT_EQ(TextConcat(Text(), Text()).Bytes(), "");
    EXPECT_EQ(TextConcat(Text("http://h/"), Text("1"), Text("/"), Text("2"), Text(".mp3")).Bytes(),
              "http://h/1/2.mp3");
    // Halves of a two-byte character join again.
    EXPECT_EQ(TextConcat(Text("\xC4"), Text("\xE3"), Text(kNiHao)).Bytes(),
              "\xC4\xE3\xC4\xE3\xBA\xC3");
}

struct CompareCase {
    std::string_view left;
    std::string_view right;
    int expected;
};

const CompareCase kCompareCases[] = {
    {"", "", 0},
    {"a", "ab", -1},
    {"ab", "a", 1},
    {"", "a", -1},
    {"a", "", 1},
    {"abc", "abd", -1},
    {"b", "ab", 1},  // the first differing byte decides, not the length
    {"\x80", "z", 1},  // bytes compare as unsigned values
    {"z", "\x80", -1},
    {"\xFF", "\x7F", 1},
    {"\xC4\xE3", "\xC4\xE3", 0},
    {"\xC4\xE3", "\xC4\xE4", -1},
};

TEST(TextCompare, Cases) {
    for (const CompareCase& c : kCompareCases) {
        SCOPED_TRACE(testing::Message() << "left " << testing::PrintToString(c.left) << ", right "
                                        << testing::PrintToString(c.right));
        EXPECT_EQ(TextCompare(Text(c.left), Text(c.right)), c.expected);
    }
}

TEST(TextCompare, AbsentEqualsEmpty) {
    EXPECT_EQ(TextCompare(Text(), Text("")), 0);
    EXPECT_EQ(TextCompare(Text(static_cast<const char*>(nullptr)), Text()), 0);
}

struct TruncateCase {
    double value;
    std::int32_t expected;
};

const TruncateCase kTruncateCases[] = {
    {2.9, 2},
    {-2.9, -2},
    {-0.5, 0},
    {0.5, 0},
    {0.0, 0},
    {-0.0, 0},
    {7.0, 7},
    {-7.0, -7},
    {2147483647.0, kMaxInt},
    {2147483647.9, kMaxInt},
    {-2147483648.0, kMinInt},
    {-2147483648.9, kMinInt},
    // Beyond the 32-bit range the count is clamped, never converted out of range.
    {2147483648.0, kMaxInt},
    {1e300, kMaxInt},
    {-2147483649.0, kMinInt},
    {-1e300, kMinInt},
    {std::numeric_limits<double>::infinity(), kMaxInt},
    {-std::numeric_limits<double>::infinity(), kMinInt},
    // Not a number is no count at all.
    {std::numeric_limits<double>::quiet_NaN(), 0},
};

TEST(TruncateToCount, RoundsTowardZeroAndClamps) {
    for (const TruncateCase& c : kTruncateCases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(TruncateToCount(c.value), c.expected);
    }
}

}  // namespace
}  // namespace corvanel
