// Start-up, the main message loop and shutdown.
#include <windows.h>

#include "link_generator.h"
#include "main_window.h"
#include "open_windows.h"
#include "platform.h"
#ifdef CORVANEL_ALLOCATION_FAILURE_INJECTION
#include "test_switches.h"
#endif

namespace {

void ShowFatalErrorBox(std::string_view message) {
    const corvanel::Text text(message);
    MessageBoxA(nullptr, text.CString(), "Corvanel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// Returns the exit code carried by the quit message.
int RunMessageLoop() {
    corvanel::MarkMessageLoopStarted();
    int exitCode = 0;
    if (corvanel::OpenWindows().empty()) return exitCode;
    while (corvanel::HandleNextMessage(exitCode)) {
    }
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    corvanel::SetFatalErrorDisplay(ShowFatalErrorBox);
#ifdef CORVANEL_ALLOCATION_FAILURE_INJECTION
    corvanel::ApplyTestSwitches();
#endif
    if (!corvanel::CreateOwnerWindow()) corvanel::ReportFatalError("无法创建程序的窗口。");
    if (!corvanel::LoadWindow(corvanel::kMainWindow, std::nullopt, false))
        corvanel::ReportFatalError("无法创建主窗口。");
    const int exitCode = RunMessageLoop();
    // A fatal error ends the process before this point, so the kept values are
    // released only after a normal end.
    corvanel::ShutdownCleanup();
#ifdef CORVANEL_ALLOCATION_FAILURE_INJECTION
    corvanel::ReportShutdownCleanupRan();
#endif
    corvanel::DestroyOwnerWindow();
    return exitCode;
}
