#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace corvanel {
namespace {

constexpr unsigned char kFirstTwoByteLead = 0x80;

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= kFirstTwoByteLead; }

char FoldCapital(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

bool BytesEqual(const char* a, const char* b, std::size_t count, bool foldCase) {
    if (!foldCase) return std::memcmp(a, b, count) == 0;
    for (std::size_t i = 0; i < count; ++i)
        if (FoldCapital(a[i]) != FoldCapital(b[i])) return false;
    return true;
}

// A start position p begins the scan at byte index max(p - 1, 0).
std::size_t StartIndex(std::optional<std::int32_t> start) {
    if (!start || *start <= 1) return 0;
    return static_cast<std::size_t>(*start) - 1;
}

}  // namespace

Text::Text(std::string_view bytes) {
    const std::size_t end = bytes.find('\0');
    if (end != std::string_view::npos) bytes = bytes.substr(0, end);
    bytes_.assign(bytes.data(), bytes.size());
}

std::int32_t TextLength(const Text& text) { return static_cast<std::int32_t>(text.Bytes().size()); }

std::int32_t TextFind(const Text& text, const Text& sought, std::optional<std::int32_t> start,
                      bool ignoreCase) {
    const std::string_view t = text.Bytes();
    const std::string_view s = sought.Bytes();
    const std::size_t length = t.size();
    const std::size_t from = StartIndex(start);
    if (from >= length) return -1;
    if (s.empty()) return 1;
    for (std::size_t i = from; length - i >= s.size();) {
        if (BytesEqual(t.data() + i, s.data(), s.size(), ignoreCase))
            return static_cast<std::int32_t>(i + 1);
        if (IsLeadByte(t[i])) {
            if (i + 1 == length) return -1;
            i += 2;
        } else {
            i += 1;
        }
    }
    return -1;
}

Text TextReplace(const Text& text, const Text& subtext, const Text& replacement,
                 std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                 bool matchCase) {
    const std::string_view t = text.Bytes();
    const std::string_view s = subtext.Bytes();
    const std::size_t length = t.size();
    const std::size_t from = StartIndex(start);
    const bool limited = count && *count >= 0;
    std::int32_t remaining = limited ? *count : 0;
    if (length == 0 || s.empty() || from >= length || (limited && remaining == 0)) return text;

    TextBuilder out;
    out.Reserve(length);
    out.Append(t.substr(0, from));
    std::size_t i = from;
    while (length - i >= s.size()) {
        if (BytesEqual(t.data() + i, s.data(), s.size(), !matchCase)) {
            out.Append(replacement.Bytes());
            i += s.size();
            if (limited && --remaining == 0) break;
        } else if (!IsLeadByte(t[i])) {
            out.Append(t.substr(i, 1));
            i += 1;
        } else if (i + 1 < length) {
            out.Append(t.substr(i, 2));
            i += 2;
        } else {
            // A lead byte at the very end: the tail copy below keeps it.
            break;
        }
    }
    out.Append(t.substr(i));
    return std::move(out).Build();
}

Text TextLeft(const Text& text, std::int32_t count) {
    if (count <= 0) return Text();
    return Text(text.Bytes().substr(0, static_cast<std::size_t>(count)));
}

Text TextRight(const Text& text, std::int32_t count) {
    if (count <= 0) return Text();
    const std::string_view t = text.Bytes();
    const std::size_t take = std::min(static_cast<std::size_t>(count), t.size());
    return Text(t.substr(t.size() - take));
}

Text detail::ConcatTextBytes(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    // Lengths are 32-bit; a longer result cannot be held, like one without memory.
    if (total > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        ReportOutOfMemory(total);
    TextBuilder out;
    out.Reserve(total);
    for (std::string_view part : parts) out.Append(part);
    return std::move(out).Build();
}

int TextCompare(const Text& left, const Text& right) {
    const std::string_view a = left.Bytes();
    const std::string_view b = right.Bytes();
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::int32_t TruncateToCount(double value) {
    // Clamped so that no double, however large, converts out of range.
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    return static_cast<std::int32_t>(std::trunc(std::clamp(value, lowest, highest)));
}

}  // namespace corvanel
