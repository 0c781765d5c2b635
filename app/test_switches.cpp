#include "test_switches.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform.h"
#include "text_memory.h"

// Nothing here allocates: the allocation counts that the tests rely on are
// the program's own.
namespace corvanel {
namespace {

char refusedClass[256];
long refusedChild = 0;  // 0: the window itself
long childrenCreated = 0;

bool HasClass(HWND window, const char* className) {
    char name[256];
    return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, className) == 0;
}

// A creation that the hook answers with 1 fails in CreateWindowEx, as when the
// system has no resources left for it.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* creation = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        HWND parent = creation->lpcs->hwndParent;
        const auto window = reinterpret_cast<HWND>(wParam);
        if (refusedChild == 0 && (creation->lpcs->style & WS_CHILD) == 0 && HasClass(window, refusedClass))
            return 1;
        if (refusedChild > 0 && parent && HasClass(parent, refusedClass) && ++childrenCreated == refusedChild)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RefuseWindows(const char* refused) {
    std::snprintf(refusedClass, sizeof refusedClass, "%s", refused);
    if (char* colon = std::strchr(refusedClass, ':')) {
        refusedChild = std::atol(colon + 1);
        *colon = '\0';
    }
    SetWindowsHookExA(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
}

ClipboardStep ClipboardStepNamed(const char* name) {
    if (std::strcmp(name, "GlobalAlloc") == 0) return ClipboardStep::GlobalAlloc;
    if (std::strcmp(name, "GlobalLock") == 0) return ClipboardStep::GlobalLock;
    if (std::strcmp(name, "SetClipboardData") == 0) return ClipboardStep::SetClipboardData;
    return ClipboardStep::None;
}

// The library reports both through its failure functions, which in the
// program end in the fatal path (library_failures.cpp). The empty string
// allocates nothing.
void AskLibraryForTheImpossible(const char* kind) {
    std::string text;
    if (std::strcmp(kind, "length") == 0) text.reserve(text.max_size() + 1);
    if (std::strcmp(kind, "range") == 0) static_cast<void>(text.at(1));
}

}  // namespace

void ApplyTestSwitches() {
    if (const char* n = std::getenv("CORVANEL_FAIL_ALLOCATION")) FailAllocationNumber(std::atol(n));
    if (const char* n = std::getenv("CORVANEL_FAIL_ALLOCATIONS_FROM")) FailAllocationsFrom(std::atol(n));
    if (const char* step = std::getenv("CORVANEL_FAIL_CLIPBOARD")) FailClipboardStep(ClipboardStepNamed(step));
    if (const char* refused = std::getenv("CORVANEL_REFUSE_WINDOW")) RefuseWindows(refused);
    if (const char* kind = std::getenv("CORVANEL_LIBRARY_FAILURE")) AskLibraryForTheImpossible(kind);
}

void ReportShutdownCleanupRan() {
    const char* path = std::getenv("CORVANEL_REPORT_FILE");
    if (!path) return;
    if (FILE* report = std::fopen(path, "a")) {
        std::fputs("ShutdownCleanup ran\n", report);
        std::fclose(report);
    }
}

}  // namespace corvanel
