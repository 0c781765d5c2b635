// The program's open windows (the invisible owner window is not one of them)
// and the rule that ends the main loop once the last of them is gone.
#pragma once

#include <windows.h>

#include <vector>

namespace corvanel {

void AddOpenWindow(HWND window);
// Removes the window; when the main loop runs and no window is left, posts the quit message.
void RemoveOpenWindow(HWND window);
bool IsOpenWindow(HWND window);
const std::vector<HWND>& OpenWindows();

// From now on, closing the last window ends the main loop.
void MarkMessageLoopStarted();

}  // namespace corvanel
