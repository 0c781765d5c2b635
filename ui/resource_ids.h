// Shared by the program's code and its resource script.
#pragma once

#define CORVANEL_ICON 1
