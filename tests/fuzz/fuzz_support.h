// What the fuzz targets share: reading arguments out of the fuzzer's bytes, and
// the character and case rules of the text operations, worked out here on
// plain bytes without calling the core, so that the targets can check the
// core's results against them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace corvanel::fuzz {

// A property that must hold whatever the input did not: the run ends here and
// libFuzzer keeps the input that got it here.
[[noreturn]] inline void Violated(const char* property, int line) {
    std::fprintf(stderr, "\nproperty violated (line %d): %s\n", line, property);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_REQUIRE(property) \
    ((property) ? static_cast<void>(0) : ::corvanel::fuzz::Violated(#property, __LINE__))

// The fuzzer's bytes as arguments: fixed-size fields first, then texts that
// are separated by zero bytes (a text never holds one). Fields beyond the end
// of the input read as zero, texts beyond it as empty.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : bytes_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (used_ >= bytes_.size()) return 0;
        return static_cast<std::uint8_t>(bytes_[used_++]);
    }

    // Always takes four bytes, little-endian. `narrow` keeps only the first of
    // them, as a signed byte, so that small positions and counts are common.
    std::int32_t Int32(bool narrow) {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        if (narrow) return static_cast<std::int8_t>(value & 0xFF);
        return static_cast<std::int32_t>(value);
    }

    // The next `count` texts; the last one runs to the first zero byte after it.
    std::vector<std::string_view> Texts(std::size_t count) {
        std::vector<std::string_view> texts;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view rest = used_ < bytes_.size() ? bytes_.substr(used_) : std::string_view();
            const std::size_t end = rest.find('\0');
            texts.push_back(rest.substr(0, end));
            used_ += end == std::string_view::npos ? rest.size() : end + 1;
        }
        return texts;
    }

private:
    std::string_view bytes_;
    std::size_t used_ = 0;
};

// A byte of 0x80 or above begins a two-byte character whose second byte is the
// byte after it, whatever that is; every other byte is a character of its own.
inline bool BeginsTwoByteCharacter(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Which indices of `bytes` begin a character when the characters are counted
// from index `from` on; indices before `from` begin none.
inline std::vector<bool> CharacterStarts(std::string_view bytes, std::size_t from) {
    std::vector<bool> starts(bytes.size(), false);
    for (std::size_t i = from; i < bytes.size(); i += BeginsTwoByteCharacter(bytes[i]) ? 2 : 1)
        starts[i] = true;
    return starts;
}

// Only the 26 ASCII capitals fold, onto the small letters; every other byte,
// those of two-byte characters included, stays what it is.
inline char FoldCapital(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string FoldCapitals(std::string_view bytes) {
    std::string folded(bytes);
    for (char& c : folded) c = FoldCapital(c);
    return folded;
}

inline bool SameBytes(std::string_view a, std::string_view b, bool foldCase) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((foldCase ? FoldCapital(a[i]) : a[i]) != (foldCase ? FoldCapital(b[i]) : b[i])) return false;
    return true;
}

// Whether the bytes of `text` from index `at` on begin with `sought`.
inline bool MatchesAt(std::string_view text, std::size_t at, std::string_view sought, bool foldCase) {
    return at <= text.size() && text.size() - at >= sought.size() &&
           SameBytes(text.substr(at, sought.size()), sought, foldCase);
}

constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

// The first index at which a character begins, counted from `from`, and at
// which a non-empty `sought` matches; kNowhere if there is none.
inline std::size_t FirstMatchAtCharacterStart(std::string_view text, std::string_view sought,
                                              std::size_t from, bool foldCase) {
    const std::vector<bool> starts = CharacterStarts(text, from);
    for (std::size_t i = from; i < text.size(); ++i)
        if (starts[i] && MatchesAt(text, i, sought, foldCase)) return i;
    return kNowhere;
}

// The 0-based index at which a search from 1-based start position `start`
// begins: positions of 1 and below mean the first byte.
inline std::size_t StartIndex(std::int64_t start) {
    return start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
}

}  // namespace corvanel::fuzz
