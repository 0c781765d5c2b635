// Fuzzes TextBetween with any text, markers, start position and case mode.
//
// Input: one flags byte (bit 0: case-sensitive; bit 2: the start position is
// the signed first byte of its field, not all four), four bytes of start
// position (little-endian), then the text, the leading marker and the
// trailing marker, separated by zero bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "program_texts.h"
#include "text.h"
#include "text_between.h"

using namespace corvanel;
using namespace corvanel::fuzz;

namespace {

// A marker as the caller's variable holds it after the call: every "#引号"
// that begins on a character is one double quote, the rest is unchanged.
std::string WithQuotes(std::string_view marker) {
    std::string quoted;
    for (std::size_t i = 0; i < marker.size();) {
        if (marker.substr(i, kQuoteToken.size()) == kQuoteToken) {
            quoted.push_back('"');
            i += kQuoteToken.size();
        } else {
            const std::size_t width = BeginsTwoByteCharacter(marker[i]) ? 2 : 1;
            quoted.append(marker.substr(i, width));
            i += width;
        }
    }
    return quoted;
}

// Where a search of `text` from index `from` finds `marker`: an empty marker
// is found at index 0 whenever there is a byte to search.
std::size_t Found(std::string_view text, std::string_view marker, std::size_t from, bool foldCase) {
    if (marker.empty()) return from < text.size() ? 0 : kNowhere;
    return FirstMatchAtCharacterStart(text, marker, from, foldCase);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const bool caseSensitive = flags & 1;
    const std::int32_t startPosition = input.Int32(flags & 4);
    const std::vector<std::string_view> texts = input.Texts(3);
    const std::string_view x = texts[0];

    const Text text(x);
    Text leading(texts[1]);
    Text trailing(texts[2]);
    const Text result = TextBetween(text, leading, trailing, startPosition, caseSensitive);
    const std::string_view between = result.Bytes();

    // The searched text is only read; the markers come back with the quote
    // token spelled as a quote, and otherwise as they were.
    FUZZ_REQUIRE(text.Bytes() == x);
    FUZZ_REQUIRE(leading.Bytes() == WithQuotes(texts[1]));
    FUZZ_REQUIRE(trailing.Bytes() == WithQuotes(texts[2]));

    // Whatever it is, the result is a piece of the text.
    FUZZ_REQUIRE(between.find('\0') == std::string_view::npos);
    FUZZ_REQUIRE(x.find(between) != std::string_view::npos);

    const std::string_view lead = leading.Bytes();
    const std::string_view trail = trailing.Bytes();
    const bool foldCase = !caseSensitive;
    const std::size_t from = StartIndex(startPosition);

    // The leading marker is sought from the start position, on character
    // starts counted from there; the first occurrence counts.
    const std::size_t leadAt = Found(x, lead, from, foldCase);
    if (leadAt == kNowhere) {
        FUZZ_REQUIRE(between.empty());
        return 0;
    }
    // The result directly follows that occurrence ...
    const std::string_view rest = x.substr(leadAt + lead.size());
    FUZZ_REQUIRE(rest.substr(0, between.size()) == between);
    // ... and ends where the trailing marker first occurs in the rest, sought
    // with the same start position, now counted from the start of the rest.
    const std::size_t trailAt = Found(rest, trail, from, foldCase);
    if (trailAt == kNowhere) {
        FUZZ_REQUIRE(between.empty());
    } else {
        FUZZ_REQUIRE(between.size() == trailAt);
        FUZZ_REQUIRE(MatchesAt(rest, between.size(), trail, foldCase));
    }

    if (!caseSensitive) {
        // Ignoring case is the same as making every capital small in the text
        // and the markers and then matching case exactly: the small result comes out.
        Text smallLeading(FoldCapitals(texts[1]));
        Text smallTrailing(FoldCapitals(texts[2]));
        const Text small = TextBetween(Text(FoldCapitals(x)), smallLeading, smallTrailing, startPosition, true);
        FUZZ_REQUIRE(small.Bytes() == FoldCapitals(between));
    }
    return 0;
}
