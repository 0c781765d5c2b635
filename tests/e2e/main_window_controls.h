// The main window's controls by their place in the stacking order (Program::Control),
// and the texts the program writes into them.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "configured_hosts.h"
#include "program.h"

namespace e2e::main_window {

inline constexpr int k按钮6 = 0;
inline constexpr int k按钮5 = 1;
inline constexpr int k按钮4 = 2;
inline constexpr int k按钮3 = 3;
inline constexpr int k编辑框4 = 4;
inline constexpr int k编辑框3 = 5;
inline constexpr int k按钮2 = 6;
inline constexpr int k按钮1 = 7;
inline constexpr int k编辑框2 = 8;
inline constexpr int k编辑框1 = 9;

// Names of the controls above, by stacking index.
inline constexpr const char* kControlNames[] = {
    "按钮6", "按钮5", "按钮4", "按钮3", "编辑框4", "编辑框3", "按钮2", "按钮1", "编辑框2", "编辑框1",
};

// The order in which Tab walks the controls, from the one that has the focus at start.
inline constexpr int kTabOrder[] = {k编辑框1, k编辑框2, k按钮1, k按钮2, k编辑框3,
                                    k编辑框4, k按钮3,   k按钮4, k按钮5, k按钮6};

inline constexpr int kTabStops = static_cast<int>(std::size(kTabOrder));

// The focused control by stacking index; -1 when no control of the main window has the focus.
inline int FocusedIndex(const Program& program) {
    const HWND focus = program.Focus();
    for (int i = 0; i < kTabStops; ++i)
        if (program.Control(i) == focus) return i;
    return -1;
}

inline std::string FocusedName(const Program& program) {
    const int index = FocusedIndex(program);
    return index < 0 ? "(none)" : kControlNames[index];
}

inline bool WaitForFocus(const Program& program, int index) {
    return WaitUntil([&] { return FocusedIndex(program) == index; }, 2000ms);
}

inline int TabPosition(int index) {
    return static_cast<int>(std::find(std::begin(kTabOrder), std::end(kTabOrder), index) - std::begin(kTabOrder));
}

// Brings the window to the front and presses Tab until the control with the
// stacking index `target` has the focus; false if it never gets there.
inline bool FocusWithTab(const Program& program, int target) {
    program.BringToFront(program.MainWindow());
    if (!WaitUntil([&] { return FocusedIndex(program) >= 0; }, 2000ms)) return false;
    const int presses = (TabPosition(target) - TabPosition(FocusedIndex(program)) + kTabStops) % kTabStops;
    for (int i = 0; i < presses; ++i) PressKey(VK_TAB);
    return WaitForFocus(program, target);
}

// The link boxes in the order of their link services.
inline constexpr int kLinkBoxes[] = {k编辑框2, k编辑框3, k编辑框4};

// Where the three music links point, each followed by share id, "/", share uk and ".mp3".
inline const char* const kLinkBases[] = {
    "http://" CORVANEL_LINK_HOST_1 "/mp3.php/",
    "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/",
    "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/",
};

// The forum home page as the shell hands it to the desktop's opener.
inline constexpr const char* kForumPage = "http://" CORVANEL_FORUM_ADDRESS "/";

// What the link boxes show after generating from an empty address box, in UTF-8.
inline constexpr const char* kEmptyInputMessage = "嘿，我不是Olverin，我没有网盘地址变不出来";

// The three link boxes' texts.
inline std::vector<std::string> LinkTexts(const Program& program) {
    std::vector<std::string> texts;
    for (int box : kLinkBoxes) texts.push_back(WindowText(program.Control(box)));
    return texts;
}

// Puts the address into 编辑框1, clicks 按钮1 and waits until the three link
// boxes, empty before, are filled (generating never leaves one empty); false
// if they never were.
inline bool GenerateIntoEmptyBoxes(const Program& program, const std::string& gbkAddress) {
    SetEditText(program.Control(k编辑框1), gbkAddress);
    ClickButton(program.Control(k按钮1));
    return WaitUntil([&] {
        for (const std::string& text : LinkTexts(program))
            if (text.empty()) return false;
        return true;
    });
}

}  // namespace e2e::main_window
