// Switches of the test variant of the program (corvanel_injectable.exe) only;
// the shipped corvanel.exe has none of this.
//   CORVANEL_FAIL_ALLOCATION=N       the Nth text allocation fails as if memory had run out
//   CORVANEL_REFUSE_WINDOW=class[:n] creating the window of that class (or its nth
//                                    control) is refused by the system
//   CORVANEL_REPORT_FILE=path        a line is added to that file when the kept values are released
#pragma once

namespace corvanel {

void ApplyTestSwitches();
void ReportShutdownCleanupRan();

}  // namespace corvanel
