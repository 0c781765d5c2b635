#pragma once

#include "window_description.h"

namespace corvanel {

// The tool's only window at start-up and the place of every user action.
extern const WindowDescription kMainWindow;

}  // namespace corvanel
