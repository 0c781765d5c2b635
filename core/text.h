// The text value of the program: a byte string in the ANSI code page (GBK on
// the systems the tool runs on) that never holds a zero byte, and the pure
// operations on it. Positions are 1-based byte positions; a search that finds
// nothing yields -1. The empty text and an absent text are the same value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "text_memory.h"

namespace corvanel {

class Text {
public:
    Text() = default;
    // Takes the bytes up to the first zero byte, so a Text never holds one.
    explicit Text(std::string_view bytes);
    Text(const char* bytes) : Text(std::string_view(bytes ? bytes : "")) {}

    std::string_view Bytes() const { return bytes_; }
    // Zero-terminated, never null: what a Windows "A" function expects.
    const char* CString() const { return bytes_.c_str(); }
    bool IsEmpty() const { return bytes_.empty(); }

    friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }

private:
    using Bytes_ = std::basic_string<char, std::char_traits<char>, TextAllocator<char>>;
    explicit Text(Bytes_&& bytes) : bytes_(std::move(bytes)) {}
    friend class TextBuilder;

    Bytes_ bytes_;
};

// Collects bytes for a new Text; memory comes from the same place as Text's.
class TextBuilder {
public:
    void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void Append(std::string_view bytes) { bytes_.append(bytes.data(), bytes.size()); }
    Text Build() && { return Text(std::move(bytes_)); }

private:
    Text::Bytes_ bytes_;
};

std::int32_t TextLength(const Text& text);

// Position of the first match at or after `start`, counted from the first byte
// of `text`, or -1. A match never begins on the second byte of a two-byte
// character. With `ignoreCase` the ASCII capitals fold onto the small letters.
std::int32_t TextFind(const Text& text, const Text& sought, std::optional<std::int32_t> start,
                      bool ignoreCase);

// Replaces occurrences of `subtext` from left to right, without overlap and
// without searching the inserted replacement again. An absent or negative
// `count` means no limit; a count of 0 replaces nothing.
Text TextReplace(const Text& text, const Text& subtext, const Text& replacement,
                 std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                 bool matchCase);

// First or last `count` bytes; may split a two-byte character.
Text TextLeft(const Text& text, std::int32_t count);
Text TextRight(const Text& text, std::int32_t count);

namespace detail {
// The parts are the bytes of Texts, so the result holds no zero byte either.
Text ConcatTextBytes(std::initializer_list<std::string_view> parts);
}  // namespace detail

// The bytes of the texts one after the other.
template <typename... Texts>
Text TextConcat(const Texts&... texts) {
    static_assert((std::is_same_v<Texts, Text> && ...), "TextConcat joins Texts");
    return detail::ConcatTextBytes({texts.Bytes()...});
}

// -1, 0 or 1, comparing bytes as unsigned values.
int TextCompare(const Text& left, const Text& right);

// Rounds toward zero; counts of the text operations are formed in double
// precision and converted with this.
std::int32_t TruncateToCount(double value);

}  // namespace corvanel
