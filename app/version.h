// The program's version: the one source of the version resource and of the
// version the program shows.
#pragma once

#define CORVANEL_VERSION_MAJOR 1
#define CORVANEL_VERSION_MINOR 0
#define CORVANEL_VERSION_PATCH 0
#define CORVANEL_VERSION_BUILD 0

#define CORVANEL_STRINGIFY_(x) #x
#define CORVANEL_STRINGIFY(x) CORVANEL_STRINGIFY_(x)
#define CORVANEL_VERSION_TEXT                                                                 \
    CORVANEL_STRINGIFY(CORVANEL_VERSION_MAJOR) "." CORVANEL_STRINGIFY(CORVANEL_VERSION_MINOR) "." \
    CORVANEL_STRINGIFY(CORVANEL_VERSION_PATCH) "." CORVANEL_STRINGIFY(CORVANEL_VERSION_BUILD)
