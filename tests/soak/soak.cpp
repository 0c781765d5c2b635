// A long run of the real corvanel.exe: a thousand actions with real keys and
// clicks (generate on varied addresses, one of the box's maximum length among
// them; copy from each box; open and close the help window), reading the
// process's memory after a warm-up and at the end. Fails when a check of an
// action fails or when memory grew by more than the stated allowance.
//   soak.exe [actions]   (default 1000)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "configured_hosts.h"
#include "program.h"

namespace {

using namespace e2e;

constexpr int k按钮6 = 0, k按钮5 = 1, k按钮4 = 2, k按钮3 = 3, k编辑框4 = 4, k编辑框3 = 5, k按钮2 = 6,
              k按钮1 = 7, k编辑框2 = 8, k编辑框1 = 9;
constexpr int kLinkBoxes[] = {k编辑框2, k编辑框3, k编辑框4};
constexpr int kCopyButtons[] = {k按钮3, k按钮4, k按钮5};
const char* const kLinkBases[] = {
    "http://" CORVANEL_LINK_HOST_1 "/mp3.php/",
    "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/",
    "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/",
};

// Growth allowed between the warm-up and the end, for the working set and for
// the pagefile usage alike.
constexpr SIZE_T kAllowedGrowth = 512 * 1024;
constexpr int kWarmUpActions = 100;

struct Address {
    std::string text;  // GBK
    std::string id;
    std::string uk;
};

std::vector<Address> VariedAddresses() {
    return {
        {"https://pan.baidu.com/share/link?shareid=123456789&uk=987654321", "123456789", "987654321"},
        {"http://pan.baidu.com/share/link?SHAREID=42&UK=7", "42", "7"},
        {"https://pan.baidu.com/share/link?fid=1&shareid=2&uk=3", "1", "3"},
        {"?shareid=" + Gbk("中文") + "&uk=" + Gbk("网盘"), Gbk("中文"), Gbk("网盘")},
        {"https://pan.baidu.com/share/link?uk=5", "", "5"},
        {"https://pan.baidu.com/share/link?shareid=6&uk=7&x=y", "6", "7&x=y"},
        {"   ", "", ""},
        {"https://pan.baidu.com/s/" + std::string(2000, 'q') + "?shareid=8&uk=9", "8", "9"},
    };
}

void Click(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    SendClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

class Soak {
public:
    explicit Soak(Program& program) : program_(program) {}

    bool Generate(const Address& address) {
        PutOnClipboard(address.text);
        program_.BringToFront(program_.MainWindow());
        HWND input = program_.Control(k编辑框1);
        // Right after a modal window closes, the first click can go to the
        // activation alone.
        bool focused = false;
        for (int attempt = 0; attempt < 3 && !focused; ++attempt) {
            Click(input);
            focused = WaitUntil([&] { return program_.Focus() == input; }, 1500ms);
        }
        if (!focused) return Fail("编辑框1 did not take the focus");
        // Home and Shift+End select the whole line, as a user replaces an address.
        SendKeyStroke(VK_HOME);
        SendKeyStroke(VK_END, {VK_SHIFT});
        SendKeyStroke('V', {VK_CONTROL});
        const std::string expected = address.text.substr(0, Limit());
        if (!WaitUntil([&] { return WindowText(input) == expected; })) return Fail("the paste did not arrive");
        Click(program_.Control(k按钮1));
        if (!WaitUntil([&] { return LinksAre(address, expected.size() < address.text.size()); }, 30000ms))
            return Fail("the links are not the expected ones");
        return true;
    }

    bool Copy(int link) {
        const std::string expected = WindowText(program_.Control(kLinkBoxes[link]));
        Click(program_.Control(kCopyButtons[link]));
        const std::optional<MessageBoxSeen> box = WaitForMessageBox(program_.ProcessId());
        if (!box) return Fail("no confirmation");
        if (box->text != Gbk("复制成功，赶快去试试吧")) return Fail("not the confirmation: " + Utf8(box->text));
        if (ClipboardText() != expected) return Fail("the clipboard does not hold the link");
        WaitUntil([&] { return GetForegroundWindow() == box->window; });
        SendKeyStroke(VK_RETURN);
        if (!WaitUntil([&] { return !FindMessageBox(program_.ProcessId()) && IsWindowEnabled(program_.MainWindow()); }))
            return Fail("the confirmation stays");
        return true;
    }

    bool Help() {
        Click(program_.Control(k按钮2));
        HWND help = nullptr;
        if (!WaitUntil([&] {
                return (help = program_.FindTopLevel("CorvanelHelpWindow")) && IsWindowVisible(help) &&
                       GetForegroundWindow() == help;
            }))
            return Fail("the help window did not open");
        SendKeyStroke(VK_ESCAPE);
        if (!WaitUntil([&] { return !program_.FindTopLevel("CorvanelHelpWindow") && IsWindowEnabled(program_.MainWindow()); }))
            return Fail("the help window did not close");
        return true;
    }

    bool LongestAddress() {
        const std::string head = "https://pan.baidu.com/share/link?shareid=1&uk=";
        const std::string uk(Limit() - head.size(), '7');
        return Generate({head + uk, "1", uk});
    }

private:
    std::size_t Limit() {
        if (!limit_) limit_ = static_cast<std::size_t>(SendMessageA(program_.Control(k编辑框1), EM_GETLIMITTEXT, 0, 0));
        return limit_;
    }

    // The values of a cut address are not checked, only that links were written.
    bool LinksAre(const Address& address, bool cut) {
        for (int i = 0; i < 3; ++i) {
            const std::string text = WindowText(program_.Control(kLinkBoxes[i]));
            if (cut ? text.rfind(kLinkBases[i], 0) != 0
                    : text != kLinkBases[i] + address.id + "/" + address.uk + ".mp3")
                return false;
        }
        return true;
    }

    bool Fail(const std::string& what) {
        std::fprintf(stderr, "soak: %s\n", what.c_str());
        return false;
    }

    Program& program_;
    std::size_t limit_ = 0;
};

PROCESS_MEMORY_COUNTERS Memory(const Program& program) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.ProcessId());
    if (process) {
        GetProcessMemoryInfo(process, &counters, sizeof counters);
        CloseHandle(process);
    }
    return counters;
}

void PrintMemory(const char* when, int actions, const PROCESS_MEMORY_COUNTERS& m) {
    std::printf("soak: %-9s after %4d actions: working set %8zu bytes, pagefile usage %8zu bytes\n", when, actions,
                static_cast<std::size_t>(m.WorkingSetSize), static_cast<std::size_t>(m.PagefileUsage));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int actions = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (actions <= kWarmUpActions) {
        std::fprintf(stderr, "soak: give more than %d actions\n", kWarmUpActions);
        return 2;
    }
    Program program;
    if (!program.MainWindow()) {
        std::fprintf(stderr, "soak: corvanel.exe did not start\n");
        return 1;
    }
    Soak soak(program);
    const std::vector<Address> addresses = VariedAddresses();
    PROCESS_MEMORY_COUNTERS warm{};
    int generates = 0, copies = 0, helps = 0, longest = 0;
    for (int action = 1; action <= actions; ++action) {
        bool ok = false;
        if (action % 250 == 50) {
            ok = soak.LongestAddress();
            ++longest;
        } else {
            switch (action % 5) {
            case 0: ok = soak.Generate(addresses[(action / 5) % addresses.size()]); ++generates; break;
            case 1: case 2: case 3: ok = soak.Copy((action / 5 + action) % 3); ++copies; break;
            case 4: ok = soak.Help(); ++helps; break;
            }
        }
        if (!ok) {
            std::fprintf(stderr, "soak: action %d failed\n", action);
            return 1;
        }
        if (action == kWarmUpActions) PrintMemory("warm", action, warm = Memory(program));
        else if (action % 100 == 0) PrintMemory("", action, Memory(program));
    }
    const PROCESS_MEMORY_COUNTERS end = Memory(program);
    PrintMemory("end", actions, end);
    PostMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> exitCode = program.ExitCode();

    const long long workingSetGrowth = static_cast<long long>(end.WorkingSetSize) - static_cast<long long>(warm.WorkingSetSize);
    const long long pagefileGrowth = static_cast<long long>(end.PagefileUsage) - static_cast<long long>(warm.PagefileUsage);
    std::printf("soak: %d actions (%d generates, %d of the longest address; %d copies; %d help windows)\n", actions,
                generates + longest, longest, copies, helps);
    std::printf("soak: growth after the warm-up: working set %lld bytes, pagefile usage %lld bytes (allowed %zu)\n",
                workingSetGrowth, pagefileGrowth, static_cast<std::size_t>(kAllowedGrowth));
    std::printf("soak: exit code %s\n", exitCode ? std::to_string(*exitCode).c_str() : "none: still running");
    const bool passed = warm.WorkingSetSize != 0 && workingSetGrowth <= static_cast<long long>(kAllowedGrowth) &&
                        pagefileGrowth <= static_cast<long long>(kAllowedGrowth) && exitCode == 0u;
    std::printf("soak: %s\n", passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
