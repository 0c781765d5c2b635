// Start-up, the main message loop and shutdown.
#include <windows.h>
#include <objbase.h>

#include "dpi.h"
#include "link_generator.h"
#include "main_window.h"
#include "open_windows.h"
#include "platform.h"
#include "wide_text.h"
#ifdef CORVANEL_FAILURE_INJECTION
#include "test_switches.h"
#endif

namespace {

// Memory may be exhausted for good when this runs, so the box shows the
// message from a buffer that exists from the start.
void ShowFatalErrorBox(std::string_view message) {
    static wchar_t shown[256];
    corvanel::WideFromGbkInto(message, shown);
    MessageBoxW(nullptr, shown, L"Corvanel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// The shell may hand a web address to a COM-based handler, so the thread
// enters an apartment first. Without one the address still goes to the shell.
class ComApartment {
public:
    ComApartment()
        : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};

// Returns the exit code carried by the quit message.
int RunMessageLoop() {
    corvanel::MarkMessageLoopStarted();
    int exitCode = 0;
    if (corvanel::OpenWindows().empty()) return exitCode;
    while (corvanel::HandleNextMessage(exitCode)) {
    }
    return exitCode;
}

int Run() {
    const ComApartment apartment;
    if (!corvanel::CreateOwnerWindow()) corvanel::ReportFatalError("无法创建程序的窗口。");
    if (!corvanel::LoadWindow(corvanel::kMainWindow, std::nullopt, false))
        corvanel::ReportFatalError("无法创建主窗口。");
    const int exitCode = RunMessageLoop();
    // A fatal error ends the process before this point, so the kept values are
    // released only after a normal end.
    corvanel::ShutdownCleanup();
#ifdef CORVANEL_FAILURE_INJECTION
    corvanel::ReportShutdownCleanupRan();
#endif
    corvanel::DestroyOwnerWindow();
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    corvanel::BecomeDpiAwareIfUnaware();
    corvanel::SetFatalErrorDisplay(ShowFatalErrorBox);
#ifdef CORVANEL_FAILURE_INJECTION
    corvanel::ApplyTestSwitches();
#endif
    return Run();
}
