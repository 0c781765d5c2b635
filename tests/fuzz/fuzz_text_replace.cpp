// Fuzzes TextReplace with any text, subtext, replacement, start position,
// count and case mode.
//
// Input: one flags byte (bit 0: match case; bit 1: a start position is given;
// bit 2: the start position is the signed first byte of its field; bit 3: a
// count is given; bit 4: the count is the signed first byte of its field),
// four bytes of start position and four of count (little-endian), then the
// text, the subtext and the replacement, separated by zero bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "text.h"

using namespace corvanel;
using namespace corvanel::fuzz;

namespace {

// A byte that the text does not hold, ASCII if possible; 0 if it holds all.
char ByteNotIn(std::string_view text) {
    bool present[256] = {};
    for (char c : text) present[static_cast<unsigned char>(c)] = true;
    for (int b = 1; b < 256; ++b)
        if (!present[b]) return static_cast<char>(b);
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const bool matchCase = flags & 1;
    const std::int32_t startValue = input.Int32(flags & 4);
    const std::int32_t countValue = input.Int32(flags & 16);
    const std::optional<std::int32_t> start =
        (flags & 2) ? std::optional<std::int32_t>(startValue) : std::nullopt;
    const std::optional<std::int32_t> count =
        (flags & 8) ? std::optional<std::int32_t>(countValue) : std::nullopt;
    const std::vector<std::string_view> texts = input.Texts(3);
    const std::string_view t = texts[0];
    const std::string_view s = texts[1];
    const std::string_view r = texts[2];

    const Text text(t);
    const Text subtext(s);
    const Text replacement(r);
    const Text result = TextReplace(text, subtext, replacement, start, count, matchCase);
    const std::string_view out = result.Bytes();

    // The arguments are only read; a text never holds a zero byte.
    FUZZ_REQUIRE(text.Bytes() == t && subtext.Bytes() == s && replacement.Bytes() == r);
    FUZZ_REQUIRE(out.find('\0') == std::string_view::npos);

    const std::size_t from = StartIndex(start.value_or(1));
    const bool limited = count && *count >= 0;
    if (t.empty() || s.empty() || from >= t.size() || (limited && *count == 0)) {
        FUZZ_REQUIRE(out == t);
        return 0;
    }
    // The bytes before the start are kept as they are.
    FUZZ_REQUIRE(out.substr(0, from) == t.substr(0, from));
    // Without a replacement, nothing grows.
    if (r.empty()) FUZZ_REQUIRE(out.size() <= t.size());
    // Replacing the subtext by itself, byte for byte, changes nothing.
    FUZZ_REQUIRE(TextReplace(text, subtext, subtext, start, count, true).Bytes() == t);

    const char mark = ByteNotIn(t);
    if (mark == 0) {
        // The text holds every byte value: no byte can mark the replaced
        // places, so only the arithmetic of the lengths is checked.
        if (r.size() == s.size()) {
            FUZZ_REQUIRE(out.size() == t.size());
        } else {
            const long long grown = static_cast<long long>(out.size()) - static_cast<long long>(t.size());
            const long long step = static_cast<long long>(r.size()) - static_cast<long long>(s.size());
            FUZZ_REQUIRE(grown % step == 0 && grown / step >= 0);
            if (limited) FUZZ_REQUIRE(grown / step <= *count);
        }
        return 0;
    }

    // The same replacement with one byte the text lacks shows where the
    // replacements took place: every mark in `marked` stands for one.
    const Text marked = TextReplace(text, subtext, Text(std::string(1, mark)), start, count, matchCase);
    const std::string_view m = marked.Bytes();
    FUZZ_REQUIRE(m.substr(0, from) == t.substr(0, from));

    // Walk the text from the start, one character at a time, counting the
    // characters from the start as a search does.
    std::size_t i = from;     // in the text
    std::size_t j = from;     // in the marked result
    std::int64_t replaced = 0;
    while (i < t.size()) {
        if (limited && replaced == *count) break;
        const bool matchesHere = MatchesAt(t, i, s, !matchCase);
        if (j < m.size() && m[j] == mark) {
            // A replaced occurrence really is the subtext; the scan goes on
            // right after it, in the text, never in the replacement.
            FUZZ_REQUIRE(matchesHere);
            ++replaced;
            i += s.size();
            j += 1;
            continue;
        }
        // A character that the scan stands on and that begins the subtext is
        // replaced: occurrences are taken from left to right, none skipped.
        FUZZ_REQUIRE(!matchesHere);
        // Any other character is copied as it is; a match never begins on the
        // second byte of a two-byte character.
        const std::size_t width = (BeginsTwoByteCharacter(t[i]) && i + 1 < t.size()) ? 2 : 1;
        FUZZ_REQUIRE(m.substr(j, width) == t.substr(i, width));
        i += width;
        j += width;
    }
    // Once the count is used up, or at the end, the rest of the text is kept;
    // this also means the count was never exceeded.
    FUZZ_REQUIRE(m.substr(j) == t.substr(i));
    // Something is replaced exactly when the search with the same start and
    // case rule finds the subtext.
    FUZZ_REQUIRE((replaced > 0) == (TextFind(text, subtext, start, !matchCase) != -1));

    // The real result is the marked one with each mark spelled as the
    // replacement.
    std::string expected;
    for (char c : m) {
        if (c == mark) expected.append(r);
        else expected.push_back(c);
    }
    FUZZ_REQUIRE(out == expected);
    return 0;
}
