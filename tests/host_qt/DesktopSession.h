#pragma once
// One Qt host serves the whole test program; it is THost::Current() while the tests run (only
// where a display is there, see REQUIRE_DISPLAY).
#include "tests/desktop/helpers/DesktopTesting.h"

class TQtHost;

TQtHost& Host();
