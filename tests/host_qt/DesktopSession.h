#pragma once
// The desktop tests need an X display of their own: scripts/desktop-tests starts one and says
// so with TIRORA_DESKTOP_TESTS=1. Elsewhere (no display, or the user's own, whose pointer the
// tests would take over) the tests that open windows are skipped and say so; the others run.
//
// One Qt host serves the whole test program; it is THost::Current() while tests run.
#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

class TQtHost;

bool HaveDisplay();
TQtHost& Host();

// Runs the event loop until done() holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Runs a tool while the event loop goes on and waits for it; false when it failed. Its
// standard output goes to output when given.
bool RunTool(const QString& program, const QStringList& args, QString* output = nullptr);
inline bool Xdotool(const QStringList& args) { return RunTool("xdotool", args); }
// Starts xdotool and returns at once; the event loop carries on.
void XdotoolLater(const QStringList& args);

#define REQUIRE_DISPLAY()                                                          \
    do {                                                                           \
        if (!HaveDisplay())                                                        \
            GTEST_SKIP() << "needs an X display: run scripts/desktop-tests";       \
    } while (0)
