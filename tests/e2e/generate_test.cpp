// Generating the three music links from a share address, seen in the boxes of
// the running program.
#include <gtest/gtest.h>

#include "main_window_controls.h"
#include "program.h"

namespace e2e {
namespace {

using namespace main_window;

struct GenerateCase {
    const char* name;
    const char* address;  // UTF-8, put into 编辑框1 in GBK
    const char* shareId;  // UTF-8; each link is base + id + "/" + uk + ".mp3"
    const char* shareUk;
};

const GenerateCase kGenerateCases[] = {
    {"share address", "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321", "123456789", "987654321"},
    {"upper-case names", "HTTPS://PAN.BAIDU.COM/SHARE/LINK?SHAREID=123456789&UK=987654321", "123456789", "987654321"},
    {"mixed-case names", "https://pan.baidu.com/share/link?ShareId=42&Uk=7", "42", "7"},
    {"blanks only", "   ", "", ""},
    {"an earlier name ending in id= wins", "https://pan.baidu.com/share/link?fid=1&shareid=2&uk=3", "1", "3"},
    {"parameters after uk= stay in the uk", "https://pan.baidu.com/share/link?shareid=2&uk=3&x=y", "2", "3&x=y"},
    {"uk before shareid", "https://pan.baidu.com/share/link?uk=987654321&shareid=123456789", "",
     "987654321&shareid=123456789"},
    {"no id=", "https://pan.baidu.com/share/link?uk=7", "", "7"},
    {"no uk=", "https://pan.baidu.com/share/link?shareid=5&x=1", "5", ""},
    {"a trailing blank changes nothing", "https://pan.baidu.com/share/link?shareid=1&uk=2 ", "1", "2"},
    {"a blank ends the uk", "https://pan.baidu.com/share/link?shareid=1&uk=2 3&y=4", "1", "2"},
    {"Chinese characters next to the markers", "中文?shareid=中文&uk=网盘分享", "中文", "网盘分享"},
    {"Chinese and digits mixed", "https://pan.baidu.com/share/link?shareid=12中3&uk=4文5", "12中3", "4文5"},
    {"a long uk", "?shareid=1&uk=0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789",
     "1", "0123456789012345678901234567890123456789012345678901234567890123456789"
          "0123456789012345678901234567890123456789012345678901234567890123456789"},
};

std::vector<std::string> ExpectedLinks(const std::string& shareId, const std::string& shareUk) {
    std::vector<std::string> links;
    for (const char* base : kLinkBases) links.push_back(base + shareId + "/" + shareUk + ".mp3");
    return links;
}

TEST(Generate, BuildsTheThreeLinksFromTheShareAddress) {
    for (const GenerateCase& c : kGenerateCases) {
        SCOPED_TRACE(c.name);
        Program program;
        const std::string address = Gbk(c.address);
        ASSERT_TRUE(GenerateIntoEmptyBoxes(program, address));
        EXPECT_EQ(LinkTexts(program), ExpectedLinks(Gbk(c.shareId), Gbk(c.shareUk)));
        EXPECT_EQ(WindowText(program.Control(k编辑框1)), address) << "the address stays as it was";
    }
}

TEST(Generate, EmptyAddressBoxGivesTheMessageInAllThreeBoxes) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, ""));
    const std::string message = Gbk(kEmptyInputMessage);
    EXPECT_EQ(LinkTexts(program), std::vector<std::string>(3, message));
}

TEST(Generate, EachGenerateReplacesTheLinksBefore) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=111&uk=222"));
    ASSERT_EQ(LinkTexts(program), ExpectedLinks("111", "222"));

    // A shorter address: no rest of the longer links may stay behind.
    SetEditText(program.Control(k编辑框1), "?shareid=3&uk=4");
    ClickButton(program.Control(k按钮1));
    EXPECT_TRUE(WaitUntil([&] { return LinkTexts(program) == ExpectedLinks("3", "4"); }))
        << WindowText(program.Control(k编辑框2));

    // The empty box's message replaces links, and links replace the message.
    SetEditText(program.Control(k编辑框1), "");
    ClickButton(program.Control(k按钮1));
    const std::string message = Gbk(kEmptyInputMessage);
    EXPECT_TRUE(WaitUntil([&] { return LinkTexts(program) == std::vector<std::string>(3, message); }));

    SetEditText(program.Control(k编辑框1), "?shareid=5&uk=6");
    ClickButton(program.Control(k按钮1));
    EXPECT_TRUE(WaitUntil([&] { return LinkTexts(program) == ExpectedLinks("5", "6"); }));
}

// The way a user does it: keys into the focused address box, a mouse click on 按钮1.
TEST(Generate, TypedAddressAndMouseClick) {
    Program program;
    program.BringToFront(program.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return program.Focus() == program.Control(k编辑框1); }));
    TypeText("?shareid=77&uk=88");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(program.Control(k编辑框1)) == "?shareid=77&uk=88"; }));

    RECT button{};
    GetWindowRect(program.Control(k按钮1), &button);
    ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return LinkTexts(program) == ExpectedLinks("77", "88"); }))
        << WindowText(program.Control(k编辑框2));
}

}  // namespace
}  // namespace e2e
