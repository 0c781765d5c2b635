// Fuzzes TextFind with any text, sought text, start position and case mode.
//
// Input: one flags byte (bit 0: ignore case; bit 1: a start position is given;
// bit 2: the start position is the signed first byte of its field, not all
// four), four bytes of start position (little-endian), then the text and the
// sought text, separated by a zero byte.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "text.h"

using namespace corvanel;
using namespace corvanel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const bool ignoreCase = flags & 1;
    const std::int32_t startValue = input.Int32(flags & 4);
    const std::optional<std::int32_t> start =
        (flags & 2) ? std::optional<std::int32_t>(startValue) : std::nullopt;
    const std::vector<std::string_view> texts = input.Texts(2);

    const Text text(texts[0]);
    const Text sought(texts[1]);
    const std::int32_t found = TextFind(text, sought, start, ignoreCase);

    const std::string_view t = texts[0];
    const std::string_view s = texts[1];
    // The arguments are only read.
    FUZZ_REQUIRE(text.Bytes() == t && sought.Bytes() == s);

    // Inside the text, 1-based, or -1.
    FUZZ_REQUIRE(found == -1 || (found >= 1 && static_cast<std::size_t>(found) <= t.size()));

    const std::size_t from = StartIndex(start.value_or(1));
    if (s.empty()) {
        // An empty sought text is found at position 1 whenever the searched
        // region holds a byte, whatever the start position.
        FUZZ_REQUIRE(found == (from < t.size() ? 1 : -1));
        return 0;
    }

    const std::vector<bool> starts = CharacterStarts(t, from);
    if (found != -1) {
        const std::size_t at = static_cast<std::size_t>(found) - 1;
        // At or after the start, on the first byte of a character counted from
        // the start, never on the second byte of a two-byte one.
        FUZZ_REQUIRE(at >= from);
        FUZZ_REQUIRE(starts[at]);
        // The bytes there really are the sought text.
        FUZZ_REQUIRE(MatchesAt(t, at, s, ignoreCase));
        // No earlier character start matches.
        for (std::size_t i = from; i < at; ++i) FUZZ_REQUIRE(!(starts[i] && MatchesAt(t, i, s, ignoreCase)));
    } else {
        // Not found: no character start from the start on matches.
        for (std::size_t i = from; i < t.size(); ++i) FUZZ_REQUIRE(!(starts[i] && MatchesAt(t, i, s, ignoreCase)));
    }

    if (ignoreCase) {
        // Ignoring case is the same as searching with every capital made small
        // on both sides: folding changes no byte of 0x80 and above, so the
        // characters stay where they are.
        FUZZ_REQUIRE(TextFind(Text(FoldCapitals(t)), Text(FoldCapitals(s)), start, false) == found);
    } else {
        // An exact match is also a match when case is ignored, so the search
        // that ignores case finds one no later.
        const std::int32_t folded = TextFind(text, sought, start, true);
        FUZZ_REQUIRE(found == -1 || (folded != -1 && folded <= found));
    }
    return 0;
}
