// Where GBK meets UTF-16: code page 936 whatever the desktop's ANSI code page,
// and the fixed-buffer form that the fatal error box relies on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "help_window.h"
#include "main_window.h"
#include "wide_text.h"

namespace corvanel {
namespace {

// This file's narrow literals are GBK; the wide ones are what they must become.
TEST(WideText, ConvertsGbkBothWaysWithCodePage936) {
    const struct {
        const char* gbk;
        const wchar_t* wide;
    } cases[] = {
        {"", L""},
        {"Corvanel", L"Corvanel"},
        {"复制成功，赶快去试试吧", L"复制成功，赶快去试试吧"},
        {"功能", L"功能"},  // 功 is A5 5C in code page 950: no backslash here
        {"網盤繁體", L"網盤繁體"},
        {"\x80", L"\u20AC"},  // the euro sign, one byte in code page 936
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gbk);
        EXPECT_STREQ(WideText(Text(c.gbk)).CString(), c.wide);
        EXPECT_EQ(WideLengthOfGbk(c.gbk), std::wstring(c.wide).size());
        EXPECT_EQ(GbkFromWide(c.wide), Text(c.gbk));
        wchar_t fixed[64];
        WideFromGbkInto(c.gbk, fixed);
        EXPECT_STREQ(fixed, c.wide);
    }
}

TEST(WideText, CharactersGbkCannotHoldBecomeWhatTheEncoderMakes) {
    const std::wstring wide = L"x\uD55C\U0001F600y";  // a Korean syllable and an emoji
    char expected[16];
    const int length = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), expected,
                                           sizeof expected, nullptr, nullptr);
    ASSERT_GT(length, 0);
    EXPECT_EQ(GbkFromWide(wide), Text(std::string_view(expected, static_cast<std::size_t>(length))));
    EXPECT_EQ(GbkFromWide(wide).Bytes().front(), 'x');
    EXPECT_EQ(GbkFromWide(wide).Bytes().back(), 'y');
}

// The fixed buffer never overflows and never ends in half a character.
TEST(WideText, FixedBufferCutsAfterAWholeCharacter) {
    const struct {
        const char* gbk;
        std::size_t capacity;
        const wchar_t* kept;
    } cases[] = {
        {"复制成功", 5, L"复制成功"},
        {"复制成功", 4, L"复制成"},
        {"复制成功", 2, L"复"},
        {"复制成功", 1, L""},
        {"ab复制", 4, L"ab复"},
        {"ab复制", 3, L"ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        wchar_t buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        WideFromGbkInto(c.gbk, std::span<wchar_t>(buffer, c.capacity));
        EXPECT_STREQ(buffer, c.kept);
        EXPECT_EQ(buffer[c.capacity], L'#') << "written beyond the buffer";
    }
    wchar_t buffer[4];
    WideFromGbkInto("a\xB8", buffer);  // a lead byte with nothing after it
    EXPECT_EQ(buffer[0], L'a');
    EXPECT_EQ(std::wstring(buffer).size(), 2u);
}

// The windows' fixed texts are converted into buffers of a fixed size: every
// one of them fits whole.
TEST(WideText, EveryTableTextFitsTheTableTextBuffer) {
    for (const WindowDescription* window : {&kMainWindow, &kHelpWindow}) {
        EXPECT_LT(WideLengthOfGbk(window->caption), kTableTextCapacity);
        for (const ControlDescription& control : window->controls) {
            SCOPED_TRACE(control.text);
            EXPECT_LT(WideLengthOfGbk(control.text), kTableTextCapacity);
        }
    }
    EXPECT_GT(WideLengthOfGbk(kHelpText), 100u) << "the help text is among them";
}

}  // namespace
}  // namespace corvanel
