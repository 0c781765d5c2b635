// Switches of the test variant of the program (corvanel_injectable.exe) only;
// the shipped corvanel.exe has none of this. Allocations are counted from the
// moment the switches are read, at the very start, so a small N strikes
// during start-up.
//   CORVANEL_FAIL_ALLOCATION=N        the Nth allocation fails as if memory had run out
//   CORVANEL_FAIL_ALLOCATIONS_FROM=N  every allocation from the Nth on fails, as when
//                                     memory stays exhausted
//   CORVANEL_FAIL_CLIPBOARD=step      that step of placing a copy on the clipboard fails:
//                                     GlobalAlloc, GlobalLock or SetClipboardData
//   CORVANEL_REFUSE_WINDOW=class[:n]  creating the window of that class (or its nth
//                                     control) is refused by the system
//   CORVANEL_REPORT_FILE=path         a line is added to that file when the kept values are released
//   CORVANEL_LIBRARY_FAILURE=kind     at start-up the standard library is asked for what it
//                                     cannot do: "length", a string beyond its largest size;
//                                     "range", a character beyond a string's end
#pragma once

namespace corvanel {

void ApplyTestSwitches();
void ReportShutdownCleanupRan();

}  // namespace corvanel
