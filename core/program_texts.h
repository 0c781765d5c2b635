// The core's texts in GBK, written as bytes so that they do not depend on the
// compiler's execution character set (clang knows only UTF-8). A test checks
// each against a real encoder.
#pragma once

#include <string_view>

namespace corvanel {

// "#引号": stands for one double quote character inside a marker.
inline constexpr std::string_view kQuoteToken = "\x23\xD2\xFD\xBA\xC5";

// "嘿，我不是Olverin，我没有网盘地址变不出来": written into the link boxes
// when the share address box is empty.
inline constexpr std::string_view kEmptyInputMessage =
    "\xBA\xD9\xA3\xAC\xCE\xD2\xB2\xBB\xCA\xC7"
    "Olverin"
    "\xA3\xAC\xCE\xD2\xC3\xBB\xD3\xD0\xCD\xF8\xC5\xCC\xB5\xD8\xD6\xB7\xB1\xE4\xB2\xBB\xB3\xF6\xC0\xB4";

// "内存不足，无法分配 " N " 字节。": the fatal message when memory runs out.
inline constexpr std::string_view kOutOfMemoryBefore =
    "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA3\xAC\xCE\xDE\xB7\xA8\xB7\xD6\xC5\xE4\x20";
inline constexpr std::string_view kOutOfMemoryAfter = "\x20\xD7\xD6\xBD\xDA\xA1\xA3";

}  // namespace corvanel
