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

// Places the text on the clipboard as CF_TEXT and nothing else. False when the
// clipboard is held by another program or memory is short; the clipboard then
// keeps what it had.
bool SetClipboardText(const Text& text);

// MessageBoxA without owner, task-modal unless system-modal is asked for.
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

}  // namespace corvanel
