// The core's texts are written as GBK bytes; each is checked here against the
// system's own encoder: iconv natively, code page 936 on Windows.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

#include "program_texts.h"

namespace corvanel {
namespace {

// GBK bytes of UTF-8 text, or nothing when the encoder is missing or cannot
// encode every character.
std::optional<std::string> EncodeGbk(std::u8string_view utf8) {
    const std::string input(utf8.begin(), utf8.end());
    if (input.empty()) return std::string();
#ifdef _WIN32
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, input.data(),
                                               static_cast<int>(input.size()), nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, input.data(),
                        static_cast<int>(input.size()), wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    const int gbkLength = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                              nullptr, 0, nullptr, &usedDefault);
    if (gbkLength <= 0 || usedDefault) return std::nullopt;
    std::string gbk(static_cast<std::size_t>(gbkLength), '\0');
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, gbk.data(), gbkLength,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return gbk;
#else
    const iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = input;
    std::string out(in.size() * 2 + 8, '\0');
    char* inPointer = in.data();
    std::size_t inLeft = in.size();
    char* outPointer = out.data();
    std::size_t outLeft = out.size();
    const std::size_t converted = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    // A character GBK lacks fails (EILSEQ) or, in some encoders, counts as an
    // irreversible conversion; either way the text is not GBK.
    if (converted != 0 || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
#endif
}

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        if (!hex.empty()) hex += ' ';
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}

TEST(GbkEncoder, EncodesChineseAsGbk) {
    // Guards the checks below: the encoder really produces GBK two-byte codes.
    const std::optional<std::string> encoded = EncodeGbk(u8"引号");
    ASSERT_TRUE(encoded.has_value()) << "no GBK encoder available";
    EXPECT_EQ(Hex(*encoded), "D2 FD BA C5");
    EXPECT_FALSE(EncodeGbk(u8"\U0001F600").has_value()) << "GBK has no emoji";
}

TEST(ProgramTexts, QuoteTokenIsNumberSignAndTwoCharacters) {
    EXPECT_EQ(Hex(kQuoteToken), "23 D2 FD BA C5");
}

struct ProgramTextCase {
    const char* name;
    std::string_view bytes;
    std::u8string_view text;
};

const ProgramTextCase kProgramTexts[] = {
    {"kQuoteToken", kQuoteToken, u8"#引号"},
    {"kEmptyInputMessage", kEmptyInputMessage, u8"嘿，我不是Olverin，我没有网盘地址变不出来"},
    {"kOutOfMemoryBefore", kOutOfMemoryBefore, u8"内存不足，无法分配 "},
    {"kOutOfMemoryAfter", kOutOfMemoryAfter, u8" 字节。"},
};

TEST(ProgramTexts, MatchTheEncoder) {
    for (const ProgramTextCase& c : kProgramTexts) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> encoded = EncodeGbk(c.text);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(Hex(c.bytes), Hex(*encoded));
    }
}

}  // namespace
}  // namespace corvanel
