#include "test_switches.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "text_memory.h"

namespace corvanel {
namespace {

std::string refusedClass;
long refusedChild = 0;  // 0: the window itself
long childrenCreated = 0;

std::string ClassOf(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

// A creation that the hook answers with 1 fails in CreateWindowEx, as when the
// system has no resources left for it.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* creation = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        HWND parent = creation->lpcs->hwndParent;
        const auto window = reinterpret_cast<HWND>(wParam);
        if (refusedChild == 0 && (creation->lpcs->style & WS_CHILD) == 0 && ClassOf(window) == refusedClass)
            return 1;
        if (refusedChild > 0 && parent && ClassOf(parent) == refusedClass && ++childrenCreated == refusedChild)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ApplyTestSwitches() {
    if (const char* n = std::getenv("CORVANEL_FAIL_ALLOCATION")) FailTextAllocationNumber(std::atol(n));
    if (const char* refused = std::getenv("CORVANEL_REFUSE_WINDOW")) {
        refusedClass = refused;
        if (const auto colon = refusedClass.find(':'); colon != std::string::npos) {
            refusedChild = std::atol(refusedClass.c_str() + colon + 1);
            refusedClass.resize(colon);
        }
        SetWindowsHookExA(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    }
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
