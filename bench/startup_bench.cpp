// Times the start-up of corvanel.exe against the floor program, in pairs that
// alternate which one starts first: from CreateProcess to a visible main
// window that answers WM_NULL, that is, one that has shown itself and returned
// to its message loop. Also reads each process's working set once it is idle,
// and corvanel.exe's again after one generate.
//
//   startup_bench PROGRAM FLOOR [PAIRS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr UINT kAnswerTimeoutMs = 10000;
constexpr DWORD kWindowTimeoutMs = 20000;
constexpr const char* kShareAddress = "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321";
constexpr const char* kGenerateCaption = "点击生成外链地址";  // GBK, as the program's caption

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

struct Search {
    DWORD process;
    HWND found;
};

// The visible, unowned top-level window of the process, captioned "Corvanel".
HWND VisibleMainWindow(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
            char caption[32] = "";
            GetWindowTextA(window, caption, sizeof caption);
            if (std::string(caption) != "Corvanel") return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
}

std::string TextOf(HWND window) {
    char text[512] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             kAnswerTimeoutMs, &copied))
        return "";
    return std::string(text, copied);
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::optional<SIZE_T> WorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return std::nullopt;
    return counters.WorkingSetSize;
}

// Pastes an address into the input box (the last edit box in stacking order)
// and clicks the generate button; true once a link box holds a link.
bool Generate(HWND window) {
    const std::vector<HWND> children = Children(window);
    HWND input = nullptr;
    HWND firstLink = nullptr;
    HWND generate = nullptr;
    for (HWND child : children) {
        const std::string name = ClassOf(child);
        if (_stricmp(name.c_str(), "Edit") == 0) {
            firstLink = input;
            input = child;
        }
        if (_stricmp(name.c_str(), "Button") == 0 && TextOf(child) == kGenerateCaption) generate = child;
    }
    if (!input || !firstLink || !generate) return false;
    if (!Answers(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kShareAddress))) return false;
    if (!Answers(generate, BM_CLICK)) return false;
    if (!Answers(window, WM_NULL)) return false;
    return TextOf(firstLink).find("123456789/987654321.mp3") != std::string::npos;
}

struct Launch {
    double startUpMs = 0;
    SIZE_T workingSet = 0;
    SIZE_T workingSetAfterGenerate = 0;
};

void Fail(const std::string& what) {
    std::fprintf(stderr, "startup_bench: %s\n", what.c_str());
    std::exit(1);
}

Launch Run(const std::string& path, bool generate) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + path + "\"";
    const LARGE_INTEGER began = Now();
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        Fail("cannot start " + path);
    HWND window = nullptr;
    while (!(window = VisibleMainWindow(process.dwProcessId))) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) Fail(path + " ended before showing its window");
        if (Milliseconds(began, Now()) > kWindowTimeoutMs) Fail(path + " showed no window");
        Sleep(1);
    }
    if (!Answers(window, WM_NULL)) Fail(path + " does not answer");
    Launch launch;
    launch.startUpMs = Milliseconds(began, Now());
    const std::optional<SIZE_T> workingSet = WorkingSet(process.hProcess);
    if (!workingSet) Fail("no working set of " + path);
    launch.workingSet = *workingSet;
    if (generate) {
        if (!Generate(window)) Fail(path + ": generating gave no links");
        const std::optional<SIZE_T> after = WorkingSet(process.hProcess);
        if (!after) Fail("no working set of " + path);
        launch.workingSetAfterGenerate = *after;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kWindowTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        Fail(path + " did not end after WM_CLOSE");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return launch;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Mebibytes(double bytes) { return bytes / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM FLOOR [PAIRS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string floor = argv[2];
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 21;
    if (pairs < 1) Fail("PAIRS must be at least 1");

    // One pair not counted: the first starts load the files into the caches.
    Run(program, true);
    Run(floor, false);

    std::vector<double> programMs, floorMs, ratios, memoryRatios, memoryAfterGenerateRatios;
    std::vector<double> programSets, programSetsAfterGenerate, floorSets;
    for (int pair = 0; pair < pairs; ++pair) {
        Launch p, f;
        if (pair % 2 == 0) {
            p = Run(program, true);
            f = Run(floor, false);
        } else {
            f = Run(floor, false);
            p = Run(program, true);
        }
        std::printf("pair %2d: corvanel %7.1f ms, floor %7.1f ms, ratio %.3f\n", pair + 1, p.startUpMs, f.startUpMs,
                    p.startUpMs / f.startUpMs);
        programMs.push_back(p.startUpMs);
        floorMs.push_back(f.startUpMs);
        ratios.push_back(p.startUpMs / f.startUpMs);
        programSets.push_back(static_cast<double>(p.workingSet));
        programSetsAfterGenerate.push_back(static_cast<double>(p.workingSetAfterGenerate));
        floorSets.push_back(static_cast<double>(f.workingSet));
        memoryRatios.push_back(static_cast<double>(p.workingSet) / static_cast<double>(f.workingSet));
        memoryAfterGenerateRatios.push_back(static_cast<double>(p.workingSetAfterGenerate) /
                                            static_cast<double>(f.workingSet));
    }
    const std::vector<double> sorted = [&] {
        std::vector<double> s = ratios;
        std::sort(s.begin(), s.end());
        return s;
    }();
    std::printf("\nStart-up to an idle, visible main window, %d pairs\n", pairs);
    std::printf("  corvanel.exe  median %7.1f ms\n", Median(programMs));
    std::printf("  floor         median %7.1f ms\n", Median(floorMs));
    std::printf("  ratio         median %.3f (lowest %.3f, highest %.3f; goal <= 1.05)\n", Median(ratios),
                sorted.front(), sorted.back());
    // The fastest start of each is the one least disturbed by other work on the machine.
    const double fastestProgram = *std::min_element(programMs.begin(), programMs.end());
    const double fastestFloor = *std::min_element(floorMs.begin(), floorMs.end());
    std::printf("  fastest       corvanel.exe %.1f ms, floor %.1f ms, ratio %.3f\n", fastestProgram, fastestFloor,
                fastestProgram / fastestFloor);
    std::printf("Working set (GetProcessMemoryInfo), medians\n");
    std::printf("  floor after start-up              %7.2f MiB\n", Mebibytes(Median(floorSets)));
    std::printf("  corvanel.exe after start-up       %7.2f MiB  ratio %.3f\n", Mebibytes(Median(programSets)),
                Median(memoryRatios));
    std::printf("  corvanel.exe after one generate   %7.2f MiB  ratio %.3f\n",
                Mebibytes(Median(programSetsAfterGenerate)), Median(memoryAfterGenerateRatios));
    return 0;
}
