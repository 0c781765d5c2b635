#pragma once

#include <cstdint>

#include "text.h"

namespace corvanel {

// The bytes between the first occurrence of `leadingMarker` and the first
// occurrence of `trailingMarker` after it, or the empty text when either is
// missing. Both searches begin at `startPosition` (values below 1 mean 1), the
// second one counted from the first byte after the leading marker. Inside a
// marker the token "#引号" stands for one double quote; a marker holding it is
// rewritten in the caller's variable.
Text TextBetween(const Text& text, Text& leadingMarker, Text& trailingMarker,
                 std::int32_t startPosition, bool caseSensitive);

}  // namespace corvanel
