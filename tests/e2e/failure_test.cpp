// Failures the platform can give, on the test variant of the program
// (corvanel_injectable.exe): memory for a text running out at each allocation
// of an action in turn, and windows that the system refuses to create.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "configured_hosts.h"
#include "program.h"

namespace e2e {
namespace {

constexpr int k按钮1 = 7;
constexpr int k按钮2 = 6;
constexpr int k按钮3 = 3;
constexpr int k编辑框1 = 9;
constexpr int kLinkBoxes[] = {8, 5, 4};  // 编辑框2, 编辑框3, 编辑框4

const std::string kAddress = "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321";
const std::string kLinks[] = {
    "http://" CORVANEL_LINK_HOST_1 "/mp3.php/123456789/987654321.mp3",
    "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/123456789/987654321.mp3",
    "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/123456789/987654321.mp3",
};

std::string TempFolder() {
    char path[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, path);
    return std::string(path, length);
}

// Sets the variant's switches for the processes started while it lives.
class Switches {
public:
    Switches(std::initializer_list<std::pair<const char*, std::string>> values) {
        for (const auto& [name, value] : values) {
            SetEnvironmentVariableA(name, value.c_str());
            names_.push_back(name);
        }
    }
    ~Switches() {
        for (const char* name : names_) SetEnvironmentVariableA(name, nullptr);
    }

private:
    std::vector<const char*> names_;
};

std::string VariantPath() {
    std::string path = ProgramPath();
    return path.substr(0, path.size() - 4) + "_injectable.exe";
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// "内存不足，无法分配 N 字节。" with N a decimal count.
bool IsOutOfMemoryMessage(const std::string& text) {
    const std::string before = Gbk("内存不足，无法分配 ");
    const std::string after = Gbk(" 字节。");
    if (text.size() <= before.size() + after.size()) return false;
    if (text.compare(0, before.size(), before) != 0) return false;
    if (text.compare(text.size() - after.size(), after.size(), after) != 0) return false;
    const std::string digits = text.substr(before.size(), text.size() - before.size() - after.size());
    return digits.find_first_not_of("0123456789") == std::string::npos;
}

// The fatal path as the user meets it: an error box without owner that names
// the bytes asked for and stays until dismissed, the program's windows
// disabled beneath it, then exit code -1 with no clean-up.
void ExpectFatalEnd(const Program& program, const MessageBoxSeen& box, const std::string& report) {
    EXPECT_TRUE(IsOutOfMemoryMessage(box.text)) << Utf8(box.text);
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    if (program.MainWindow()) {
        EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));
    }
    EXPECT_FALSE(program.HasExited(300ms)) << "the box must wait for the user";
    EXPECT_TRUE(IsWindow(box.window));
    DismissMessageBox(box);
    EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0xFFFFFFFF));
    EXPECT_FALSE(FileExists(report)) << "the kept values were released after a fatal error";
}

// A link box holds nothing or its whole link, never part of one.
void ExpectNoPartialLinks(const Program& program) {
    for (int i = 0; i < 3; ++i) {
        const std::string text = WindowText(program.Control(kLinkBoxes[i]));
        EXPECT_TRUE(text.empty() || text == kLinks[i]) << "box " << i + 2 << " holds " << text;
    }
}

bool LinksComplete(const Program& program) {
    for (int i = 0; i < 3; ++i)
        if (WindowText(program.Control(kLinkBoxes[i])) != kLinks[i]) return false;
    return true;
}

// Where an injected allocation failure struck, if it did.
enum class Strike { StartUp, Generate, Copy, None };

const char* const kOneAllocation = "CORVANEL_FAIL_ALLOCATION";
const char* const kAllAllocationsFrom = "CORVANEL_FAIL_ALLOCATIONS_FROM";

struct StrikeCounts {
    int startUp = 0;
    int generate = 0;
    int copy = 0;
    int copyKeptClipboard = 0;  // strikes in the copy before the clipboard was touched
    long completedAt = -1;      // the first N with which everything completed
};

class AllocationFailure : public ::testing::Test {
protected:
    void SetUp() override {
        report_ = TempFolder() + "corvanel-report.txt";
        DeleteFileA(report_.c_str());
    }
    void TearDown() override { DeleteFileA(report_.c_str()); }

    // Starts the variant with the switch set to n, generates and, if asked,
    // copies the first link; checks how each way of ending went.
    Strike RunWithFailure(const char* switchName, long n, bool copy) {
        PutOnClipboard(kUsersClipboard);
        Switches switches{{switchName, std::to_string(n)}, {"CORVANEL_REPORT_FILE", report_}};
        Program program(VariantPath(), false);
        std::optional<MessageBoxSeen> box;
        EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(program.ProcessId())) || program.MainWindowReady(); },
                              10000ms))
            << "neither a main window nor an error box";
        if (box) {
            EXPECT_FALSE(program.MainWindow() && IsWindowVisible(program.MainWindow()))
                << "the main window showed before start-up failed";
            ExpectFatalEnd(program, *box, report_);
            return Strike::StartUp;
        }

        SetEditText(program.Control(k编辑框1), kAddress);
        ClickButton(program.Control(k按钮1));
        EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(program.ProcessId())) || LinksComplete(program); }))
            << "neither links nor an error box";
        if (box) {
            ExpectNoPartialLinks(program);
            ExpectFatalEnd(program, *box, report_);
            return Strike::Generate;
        }
        if (!copy) {
            EndNormally(program);
            return Strike::None;
        }

        ClickButton(program.Control(k按钮3));
        EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(program.ProcessId())).has_value(); }));
        if (!box) return Strike::None;
        if (box->text == Gbk("复制成功，赶快去试试吧")) {
            EXPECT_EQ(ClipboardText(), kLinks[0]);
            DismissMessageBox(*box);
            EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }));
            EndNormally(program);
            return Strike::None;
        }
        // Memory can run out before the copy or after it: the clipboard holds
        // what the user had or the whole link, never nothing or a part.
        const std::optional<std::string> clipboard = ClipboardText();
        EXPECT_TRUE(clipboard == kUsersClipboard || clipboard == kLinks[0]) << clipboard.value_or("(no text)");
        clipboardKept_ = clipboard == kUsersClipboard;
        ExpectFatalEnd(program, *box, report_);
        return Strike::Copy;
    }

    void EndNormally(const Program& program) {
        PostMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0));
        EXPECT_TRUE(FileExists(report_)) << "the kept values were not released at the end";
        DeleteFileA(report_.c_str());
    }

    // Runs N = 1, 2, ... until start-up and the actions complete.
    StrikeCounts FailEachN(const char* switchName, bool copy) {
        StrikeCounts counts;
        for (long n = 1; n <= kMostAllocations; ++n) {
            SCOPED_TRACE(std::string(switchName) + "=" + std::to_string(n));
            clipboardKept_ = false;
            switch (RunWithFailure(switchName, n, copy)) {
            case Strike::StartUp: ++counts.startUp; break;
            case Strike::Generate: ++counts.generate; break;
            case Strike::Copy:
                ++counts.copy;
                if (clipboardKept_) ++counts.copyKeptClipboard;
                break;
            case Strike::None: counts.completedAt = n; return counts;
            }
            if (HasFatalFailure() || HasNonfatalFailure()) break;
        }
        return counts;
    }

    static void Print(const char* switchName, const StrikeCounts& counts) {
        std::cout << switchName << ": " << counts.startUp << " in start-up, " << counts.generate
                  << " in the generate action, " << counts.copy << " in the copy action ("
                  << counts.copyKeptClipboard << " before the clipboard was touched); N = " << counts.completedAt
                  << " completed\n";
    }

    static constexpr long kMostAllocations = 80;
    static inline const std::string kUsersClipboard = "user's clipboard";
    std::string report_;
    bool clipboardKept_ = false;
};

// Every allocation point of start-up and of a generate action, with one
// allocation failing and with memory exhausted from it on.
TEST_F(AllocationFailure, EveryAllocationPointOfGenerateEndsInTheErrorBox) {
    for (const char* switchName : {kOneAllocation, kAllAllocationsFrom}) {
        const StrikeCounts counts = FailEachN(switchName, false);
        Print(switchName, counts);
        EXPECT_GT(counts.startUp, 0) << switchName;
        EXPECT_GT(counts.generate, 0) << switchName << ": no N struck inside the action";
        EXPECT_EQ(counts.completedAt, counts.startUp + counts.generate + 1) << switchName;
    }
}

TEST_F(AllocationFailure, EveryAllocationPointOfCopyEndsInTheErrorBox) {
    for (const char* switchName : {kOneAllocation, kAllAllocationsFrom}) {
        const StrikeCounts counts = FailEachN(switchName, true);
        Print(switchName, counts);
        EXPECT_GT(counts.copy, 0) << switchName << ": no N struck inside the action";
        EXPECT_GT(counts.copyKeptClipboard, 0) << switchName;
        EXPECT_EQ(counts.completedAt, counts.startUp + counts.generate + counts.copy + 1) << switchName;
    }
}

// Without a switch the variant behaves as the program does and releases the kept values at the end.
TEST_F(AllocationFailure, NoFailureRequestedMeansANormalRunAndEnd) {
    EXPECT_EQ(RunWithFailure(kOneAllocation, 0, true), Strike::None);
    EXPECT_EQ(RunWithFailure(kAllAllocationsFrom, 0, true), Strike::None);
}

// Each way a copy can fail short of a busy clipboard, made to happen on the
// test variant: the user is told, and the clipboard holds what the box says.
TEST(ClipboardFailure, EachFailedStepGivesItsMessageAndClipboard) {
    const std::string earlier = "user's clipboard";
    const struct {
        const char* step;
        std::optional<std::string> clipboardAfter;
    } cases[] = {
        {"GlobalAlloc", earlier},       // no memory: the clipboard was not touched
        {"GlobalLock", earlier},        // no memory: the clipboard was not touched
        {"SetClipboardData", std::nullopt},  // emptied, then refused: now empty
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        Switches switches{{"CORVANEL_FAIL_CLIPBOARD", c.step}};
        Program program(VariantPath());
        SetEditText(program.Control(k编辑框1), kAddress);
        ClickButton(program.Control(k按钮1));
        ASSERT_TRUE(WaitUntil([&] { return LinksComplete(program); }));
        PutOnClipboard(earlier);

        ClickButton(program.Control(k按钮3));
        const std::optional<MessageBoxSeen> box = WaitForMessageBox(program.ProcessId());
        ASSERT_TRUE(box) << "no box";
        EXPECT_EQ(box->caption, "Corvanel");
        EXPECT_EQ(box->text, Gbk("复制失败，请稍后再试。"));
        EXPECT_EQ(box->buttonIds, std::vector<int>{IDOK});
        EXPECT_TRUE(box->hasIcon);
        EXPECT_EQ(ClipboardText(), c.clipboardAfter);

        DismissMessageBox(*box);
        EXPECT_TRUE(WaitUntil([&] { return !FindMessageBox(program.ProcessId()) && IsWindowEnabled(program.MainWindow()); }));
        EXPECT_FALSE(program.HasExited());
        EXPECT_EQ(ClipboardText(), c.clipboardAfter);
    }
}

// Starts the test variant, whose switches make it fail before its main window
// shows, and checks the error box and the exit code -1 that follow.
void ExpectStartEndsInErrorBox(const std::string& gbkMessage) {
    Program program(VariantPath(), false);
    const std::optional<MessageBoxSeen> box = WaitForMessageBox(program.ProcessId());
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(box->text, gbkMessage);
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), nullptr);
    EXPECT_TRUE(box->hasIcon);
    EXPECT_EQ(program.FindTopLevel("CorvanelMainWindow"), nullptr) << "a half-built main window is left";
    DismissMessageBox(*box);
    EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0xFFFFFFFF));
}

class RefusedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        report_ = TempFolder() + "corvanel-report.txt";
        DeleteFileA(report_.c_str());
    }
    std::string report_;
};

TEST_F(RefusedWindow, MainWindowOrOneOfItsControlsThatCannotBeCreatedIsFatal) {
    for (const char* refused : {"CorvanelMainWindow", "CorvanelMainWindow:1", "CorvanelMainWindow:10"}) {
        SCOPED_TRACE(refused);
        Switches switches{{"CORVANEL_REFUSE_WINDOW", refused}, {"CORVANEL_REPORT_FILE", report_}};
        ExpectStartEndsInErrorBox(Gbk("无法创建主窗口。"));
        EXPECT_FALSE(FileExists(report_));
    }
}

// A help window that cannot be created shows nothing; the main window stays usable.
TEST_F(RefusedWindow, HelpWindowThatCannotBeCreatedLeavesTheMainWindowUsable) {
    Switches switches{{"CORVANEL_REFUSE_WINDOW", "CorvanelHelpWindow"}, {"CORVANEL_REPORT_FILE", report_}};
    Program program(VariantPath());
    ClickButton(program.Control(k按钮2));
    Sleep(500);
    EXPECT_EQ(program.FindTopLevel("CorvanelHelpWindow"), nullptr);
    EXPECT_FALSE(FindMessageBox(program.ProcessId()));
    EXPECT_TRUE(IsWindowEnabled(program.MainWindow()));
    SetEditText(program.Control(k编辑框1), kAddress);
    ClickButton(program.Control(k按钮1));
    EXPECT_TRUE(WaitUntil([&] { return LinksComplete(program); }));
    PostMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0));
    EXPECT_TRUE(FileExists(report_));
}

// A request that the standard library cannot meet ends in the fatal path like
// running out of memory: the program is built without exceptions, so nothing
// else could catch it.
TEST(LibraryFailure, RequestTheLibraryCannotMeetEndsInTheFatalBox) {
    for (const char* kind : {"length", "range"}) {
        SCOPED_TRACE(kind);
        Switches switches{{"CORVANEL_LIBRARY_FAILURE", kind}};
        ExpectStartEndsInErrorBox(Gbk("程序内部错误，无法继续运行。"));
    }
}

}  // namespace
}  // namespace e2e
