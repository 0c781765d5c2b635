#include "text_between.h"

#include "program_texts.h"

namespace corvanel {
namespace {

void ReplaceQuoteToken(Text& marker) {
    const Text token(kQuoteToken);
    if (TextFind(marker, token, std::nullopt, false) != -1)
        marker = TextReplace(marker, token, Text("\""), std::nullopt, std::nullopt, true);
}

}  // namespace

Text TextBetween(const Text& text, Text& leadingMarker, Text& trailingMarker,
                 std::int32_t startPosition, bool caseSensitive) {
    ReplaceQuoteToken(leadingMarker);
    ReplaceQuoteToken(trailingMarker);

    const std::int32_t leadingAt = TextFind(text, leadingMarker, startPosition, !caseSensitive);
    if (leadingAt == -1) return Text();

    const double bytesAfterLeading =
        ((static_cast<double>(TextLength(text)) - leadingAt) - TextLength(leadingMarker)) + 1.0;
    const Text rest = TextRight(text, TruncateToCount(bytesAfterLeading));

    const std::int32_t trailingAt = TextFind(rest, trailingMarker, startPosition, !caseSensitive);
    if (trailingAt == -1) return Text();
    return TextLeft(rest, TruncateToCount(trailingAt - 1.0));
}

}  // namespace corvanel
