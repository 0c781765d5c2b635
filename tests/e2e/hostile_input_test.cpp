// Input at the edge of what a user can paste.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "configured_hosts.h"
#include "program.h"

namespace e2e {
namespace {

constexpr int k按钮1 = 7;
constexpr int k编辑框1 = 9;
constexpr int kLinkBoxes[] = {8, 5, 4};
const char* const kBases[] = {
    "http://" CORVANEL_LINK_HOST_1 "/mp3.php/",
    "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/",
    "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/",
};

// Answers a message within ten seconds. Under Wine, filling three boxes with
// links of some 45,000 bytes each takes one to three seconds.
bool Responsive(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
}

// A paste longer than the box takes is cut at the box's limit; the links are
// built from exactly what the box holds, however long they get.
TEST(HostileInput, PasteBeyondTheBoxLimitGivesByteExactLinks) {
    Program program;
    HWND input = program.Control(k编辑框1);
    const auto limit = static_cast<std::size_t>(SendMessageA(input, EM_GETLIMITTEXT, 0, 0));
    ASSERT_GT(limit, 1000u);

    const std::string front = "https://pan.baidu.com/share/link?shareid=";
    const std::string id(limit / 2, '1');
    const std::string middle = "&uk=";
    const std::string pasted = front + id + middle + std::string(limit, '2');  // longer than the limit
    PutOnClipboard(pasted);
    program.BringToFront(program.MainWindow());
    ASSERT_EQ(program.Focus(), input);
    PressKey('V', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return WindowText(input).size() == limit; }))
        << "the box holds " << WindowText(input).size() << " bytes";
    EXPECT_EQ(WindowText(input), pasted.substr(0, limit));

    const std::string uk(limit - front.size() - id.size() - middle.size(), '2');
    const DWORD firstStart = GetTickCount();
    ClickButton(program.Control(k按钮1));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::string expected = kBases[i] + id + "/" + uk + ".mp3";
        EXPECT_TRUE(WaitUntil([&] { return WindowText(program.Control(kLinkBoxes[i])) == expected; }))
            << "box holds " << WindowText(program.Control(kLinkBoxes[i])).size() << " bytes, expected "
            << expected.size();
    }
    EXPECT_TRUE(Responsive(program.MainWindow()));
    std::printf("first generate took %lu ms\n", GetTickCount() - firstStart);

    // Generating again on the same long address is as fast and gives the same.
    const DWORD start = GetTickCount();
    ClickButton(program.Control(k按钮1));
    Sleep(50);
    EXPECT_TRUE(Responsive(program.MainWindow()));
    std::printf("second generate took %lu ms\n", GetTickCount() - start);
    EXPECT_EQ(WindowText(program.Control(kLinkBoxes[2])), kBases[2] + id + "/" + uk + ".mp3");
}

// Markers wrapped in two-byte characters, and bytes that look like markers
// only when read from the second byte of a character.
TEST(HostileInput, GbkBytesAroundTheMarkersAreCopiedAsTheyAre) {
    const struct {
        const char* address;  // UTF-8, pasted as GBK
        const char* id;
        const char* uk;
    } cases[] = {
        {"中shareid=中文&中uk=文中", "中文", "文中"},
        {"网盘?shareid=１２３&uk=４５６ 后面", "１２３", "４５６"},
        // 乮 is 81 69 and 乽 is 81 75: their second bytes read "i" and "u", so
        // "乮d=" and "乽k=" hold "id=" and "uk=" from a second byte, where no
        // match may begin.
        {"?share乮d=5&id=7&x乽k=9&uk=3", "7", "3"},
    };
    Program program;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        SetEditText(program.Control(k编辑框1), Gbk(c.address));
        ClickButton(program.Control(k按钮1));
        const std::string expected = kBases[0] + Gbk(c.id) + "/" + Gbk(c.uk) + ".mp3";
        EXPECT_TRUE(WaitUntil([&] { return WindowText(program.Control(kLinkBoxes[0])) == expected; }))
            << Utf8(WindowText(program.Control(kLinkBoxes[0])));
    }
    EXPECT_TRUE(Responsive(program.MainWindow()));
}

}  // namespace
}  // namespace e2e
