#include "wide_text.h"

namespace corvanel {
namespace {

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// How many bytes the first `characters` characters of the text take. Every
// GBK character, one byte or two, becomes exactly one UTF-16 unit.
std::size_t BytesOfCharacters(std::string_view gbk, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t counted = 0; counted < characters && end < gbk.size(); ++counted) {
        // A lead byte at the very end stands alone.
        const bool pair = IsGbkLeadByte(static_cast<unsigned char>(gbk[end])) && end + 1 < gbk.size();
        end += pair ? 2 : 1;
    }
    return end;
}

}  // namespace

std::size_t WideLengthOfGbk(std::string_view gbk) {
    if (gbk.empty()) return 0;
    const int length = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

void WideFromGbkInto(std::string_view gbk, std::span<wchar_t> buffer) {
    if (buffer.empty()) return;
    const std::size_t room = buffer.size() - 1;
    const std::size_t bytes = BytesOfCharacters(gbk, room);
    int written = 0;
    if (bytes > 0)
        written = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(bytes), buffer.data(),
                                      static_cast<int>(room));
    buffer[written > 0 ? static_cast<std::size_t>(written) : 0] = L'\0';
}

WideText::WideText(const Text& gbk) {
    const std::string_view bytes = gbk.Bytes();
    const int length = bytes.empty() ? 0
                                     : MultiByteToWideChar(kGbkCodePage, 0, bytes.data(),
                                                           static_cast<int>(bytes.size()), nullptr, 0);
    chars_.resize(static_cast<std::size_t>(length) + 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), chars_.data(), length);
}

Text GbkFromWide(std::wstring_view wide) {
    if (wide.empty()) return Text();
    const int units = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return Text();
    std::vector<char, TextAllocator<char>> bytes(static_cast<std::size_t>(length));
    const int written =
        WideCharToMultiByte(kGbkCodePage, 0, wide.data(), units, bytes.data(), length, nullptr, nullptr);
    return Text(std::string_view(bytes.data(), written > 0 ? static_cast<std::size_t>(written) : 0));
}

}  // namespace corvanel
