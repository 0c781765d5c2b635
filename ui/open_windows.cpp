#include "open_windows.h"

#include <algorithm>

namespace corvanel {
namespace {

std::vector<HWND> openWindows;
bool messageLoopStarted = false;

}  // namespace

void AddOpenWindow(HWND window) { openWindows.push_back(window); }

void RemoveOpenWindow(HWND window) {
    std::erase(openWindows, window);
    if (messageLoopStarted && openWindows.empty()) PostQuitMessage(0);
}

bool IsOpenWindow(HWND window) {
    return std::find(openWindows.begin(), openWindows.end(), window) != openWindows.end();
}

const std::vector<HWND>& OpenWindows() { return openWindows; }

void MarkMessageLoopStarted() { messageLoopStarted = true; }

}  // namespace corvanel
