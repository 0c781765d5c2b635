#pragma once

#include "window_description.h"

namespace corvanel {

// Explains the two steps of use; shown modally from the main window.
extern const WindowDescription kHelpWindow;

// The text of its one label, lines separated by CR LF.
extern const char kHelpText[];

}  // namespace corvanel
