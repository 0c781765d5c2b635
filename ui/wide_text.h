// Where the program's GBK texts meet Windows' UTF-16. Windows shows and returns
// texts through its wide functions; they are converted here, always with code
// page 936 and never with the desktop's ANSI code page, so that the program
// reads and writes the same bytes on every desktop.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "text.h"
#include "text_memory.h"

namespace corvanel {

inline constexpr UINT kGbkCodePage = 936;

// How many UTF-16 units the GBK text becomes, without its terminating zero.
std::size_t WideLengthOfGbk(std::string_view gbk);

// Converts into `buffer` without asking for memory; a text too long for it is
// cut after a whole character. The result is zero-terminated.
void WideFromGbkInto(std::string_view gbk, std::span<wchar_t> buffer);

// A zero-terminated UTF-16 copy of a GBK text, held in a buffer of its own.
template <std::size_t Capacity>
class FixedWideText {
public:
    explicit FixedWideText(std::string_view gbk) { WideFromGbkInto(gbk, chars_); }
    const wchar_t* CString() const { return chars_; }

private:
    wchar_t chars_[Capacity];
};

// The fixed texts of the window tables: captions, control texts, labels, help.
inline constexpr std::size_t kTableTextCapacity = 512;
using TableText = FixedWideText<kTableTextCapacity>;

// A zero-terminated UTF-16 copy of any GBK text; its memory comes from where a
// Text's does, so running out of it ends in the fatal path.
class WideText {
public:
    explicit WideText(const Text& gbk);
    const wchar_t* CString() const { return chars_.data(); }

private:
    std::vector<wchar_t, TextAllocator<wchar_t>> chars_;
};

// UTF-16 to GBK. A character that GBK cannot hold becomes what the system's
// code page 936 encoder makes of it, as on a Chinese Windows.
Text GbkFromWide(std::wstring_view wide);

}  // namespace corvanel
