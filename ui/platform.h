// The operations through which the window actions reach Windows, the message
// handling shared by the main loop and modal windows, and the invisible owner
// window of the windows shown modally.
#pragma once

#include <windows.h>

#include <optional>

#include "text.h"
#include "window_description.h"

namespace corvanel {

// The box's whole current text; the empty text for an empty box.
Text ReadBoxContent(HWND window, ControlName box);
void WriteBoxContent(HWND window, ControlName box, const Text& text);

enum class ClipboardResult {
    Placed,
    Busy,      // it could not be opened, as while another program holds it; it keeps what it had
    NoMemory,  // no memory for the copy; the clipboard was not touched and keeps what it had
    Emptied,   // it was emptied, but the system did not take the copy: it is now empty
};

// Places the text on the clipboard, opened for the program's invisible owner
// window: as CF_TEXT and nothing else where the desktop's ANSI code page is
// GBK, as CF_UNICODETEXT and nothing else on any other desktop.
ClipboardResult SetClipboardText(const Text& text);

// A message box without owner, task-modal unless system-modal is asked for.
int ShowMessageBox(const Text& message, UINT style, const Text& caption);

// Opens the address with the shell's "open" verb; does not wait, reports nothing.
void OpenWebAddress(const Text& address);

// Creates and, if its description says so, shows the window. In dialog mode it
// is owned by the invisible owner window, every other open window is disabled
// while it is up, and the call returns only after it has been closed.
bool LoadWindow(const WindowDescription& window, std::optional<HWND> parent, bool dialogMode);

// Retrieves and handles one message; false once the quit message has been retrieved.
bool HandleNextMessage(int& exitCode);

HWND CreateOwnerWindow();
void DestroyOwnerWindow();

// The steps of SetClipboardText that the system can fail.
enum class ClipboardStep { None, GlobalAlloc, GlobalLock, SetClipboardData };
#ifdef CORVANEL_FAILURE_INJECTION
// Test variant only: that step fails as the system's call would.
void FailClipboardStep(ClipboardStep step);
#endif

}  // namespace corvanel
