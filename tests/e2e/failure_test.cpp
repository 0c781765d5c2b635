// Failures the platform can give, on the test variant of the program
// (corvanel_injectable.exe): memory for a text running out at each allocation
// of an action in turn, and windows that the system refuses to create.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

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
    "http://link1.example/mp3.php/123456789/987654321.mp3",
    "http://link2.example/bdwp.php/123456789/987654321.mp3",
    "http://link3.example/bdwp.php/123456789/987654321.mp3",
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

// The fatal path as the user meets it: an error box without owner, the
// program's windows disabled beneath it, then exit code -1 with no clean-up.
void ExpectFatalEnd(const Program& program, const MessageBoxSeen& box, const std::string& report) {
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));
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

class AllocationFailure : public ::testing::Test {
protected:
    void SetUp() override {
        report_ = TempFolder() + "corvanel-report.txt";
        DeleteFileA(report_.c_str());
    }
    void TearDown() override { DeleteFileA(report_.c_str()); }

    Switches FailAllocation(long n) {
        return Switches{{"CORVANEL_FAIL_ALLOCATION", std::to_string(n)}, {"CORVANEL_REPORT_FILE", report_}};
    }

    // Generates with the nth allocation failing; true when it still completed.
    bool GenerateWithFailureAt(long n) {
        Switches switches = FailAllocation(n);
        Program program(VariantPath());
        SetEditText(program.Control(k编辑框1), kAddress);
        ClickButton(program.Control(k按钮1));
        std::optional<MessageBoxSeen> box;
        EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(program.ProcessId())) || LinksComplete(program); }))
            << "neither links nor an error box";
        if (!box) {
            EXPECT_FALSE(FindMessageBox(program.ProcessId()));
            EndNormally(program);
            return true;
        }
        EXPECT_TRUE(IsOutOfMemoryMessage(box->text)) << Utf8(box->text);
        ExpectNoPartialLinks(program);
        ExpectFatalEnd(program, *box, report_);
        return false;
    }

    void EndNormally(const Program& program) {
        PostMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0));
        EXPECT_TRUE(FileExists(report_)) << "the kept values were not released at the end";
        DeleteFileA(report_.c_str());
    }

    // Fails each allocation of a generate action in turn; returns how many it makes.
    long AllocationsOfGenerate() {
        for (long n = 1; n <= kMostAllocations; ++n) {
            SCOPED_TRACE("allocation " + std::to_string(n));
            if (GenerateWithFailureAt(n)) return n - 1;
        }
        return -1;
    }

    static constexpr long kMostAllocations = 60;
    std::string report_;
};

TEST_F(AllocationFailure, EveryAllocationOfGenerateEndsInTheErrorBox) {
    const long points = AllocationsOfGenerate();
    ASSERT_GT(points, 0) << "the action never completed, or never allocated";
    std::cout << "generate: " << points << " allocation points, each ended in the error box and exit code -1\n";
}

TEST_F(AllocationFailure, EveryAllocationOfCopyEndsInTheErrorBoxAndKeepsTheClipboard) {
    const long generatePoints = AllocationsOfGenerate();
    ASSERT_GT(generatePoints, 0);
    const std::string before = "user's clipboard";
    long copyPoints = -1;
    int keptClipboard = 0;
    for (long j = 1; j <= kMostAllocations && copyPoints < 0; ++j) {
        SCOPED_TRACE("copy allocation " + std::to_string(j));
        PutOnClipboard(before);
        Switches switches = FailAllocation(generatePoints + j);
        Program program(VariantPath());
        SetEditText(program.Control(k编辑框1), kAddress);
        ClickButton(program.Control(k按钮1));
        ASSERT_TRUE(WaitUntil([&] { return LinksComplete(program); }));
        ClickButton(program.Control(k按钮3));
        std::optional<MessageBoxSeen> box;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(program.ProcessId())).has_value(); }));
        if (box->text == Gbk("复制成功，赶快去试试吧")) {
            EXPECT_EQ(ClipboardText(), kLinks[0]);
            DismissMessageBox(*box);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }));
            EndNormally(program);
            copyPoints = j - 1;
            continue;
        }
        EXPECT_TRUE(IsOutOfMemoryMessage(box->text)) << Utf8(box->text);
        // Memory can run out before the copy or after it: the clipboard holds
        // what the user had or the whole link, never nothing or a part.
        const std::optional<std::string> clipboard = ClipboardText();
        EXPECT_TRUE(clipboard == before || clipboard == kLinks[0]) << clipboard.value_or("(no text)");
        if (clipboard == before) ++keptClipboard;
        ExpectFatalEnd(program, *box, report_);
    }
    ASSERT_GT(copyPoints, 0);
    EXPECT_GT(keptClipboard, 0);
    std::cout << "copy: " << copyPoints << " allocation points, each ended in the error box and exit code -1; "
              << keptClipboard << " of them before the clipboard was touched\n";
}

// Without a switch the variant behaves as the program does and releases the kept values at the end.
TEST_F(AllocationFailure, NoFailureRequestedMeansANormalRunAndEnd) {
    EXPECT_TRUE(GenerateWithFailureAt(0));
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
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(VariantPath().c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        std::optional<MessageBoxSeen> box;
        EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(process.dwProcessId)).has_value(); }));
        if (box) {
            EXPECT_EQ(box->text, Gbk("无法创建主窗口。"));
            EXPECT_EQ(GetWindow(box->window, GW_OWNER), nullptr);
            EXPECT_TRUE(box->hasIcon);
            HWND mainWindow = FindWindowA("CorvanelMainWindow", nullptr);
            DWORD owner = 0;
            if (mainWindow) GetWindowThreadProcessId(mainWindow, &owner);
            const bool mainWindowShown = owner == process.dwProcessId;
            EXPECT_FALSE(mainWindowShown) << "a half-built main window is left";
            DismissMessageBox(*box);
        }
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 5000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0xFFFFFFFF);
        EXPECT_FALSE(FileExists(report_));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
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

}  // namespace
}  // namespace e2e
