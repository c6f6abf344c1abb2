#pragma once
// The desktop tests need an X display (scripts/desktop-tests starts a private one). Without
// one, the tests that open windows are skipped and say so; the others still run.
#include <gtest/gtest.h>

bool HaveDisplay();

#define REQUIRE_DISPLAY()                                                          \
    do {                                                                           \
        if (!HaveDisplay())                                                        \
            GTEST_SKIP() << "needs an X display: run scripts/desktop-tests";       \
    } while (0)
