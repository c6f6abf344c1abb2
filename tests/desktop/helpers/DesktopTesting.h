#pragma once
// What the desktop tests share: a display of their own, the event loop while tools run,
// xdotool, scratch folders and a drag from another program.
//
// scripts/desktop-tests starts a private X server and says so with TIRORA_DESKTOP_TESTS=1.
// Elsewhere (no display, or the user's own, whose pointer the tests would take over) the tests
// that need one are skipped and say so; the others run.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

bool HaveDisplay();

#define REQUIRE_DISPLAY()                                                          \
    do {                                                                           \
        if (!HaveDisplay())                                                        \
            GTEST_SKIP() << "needs an X display: run scripts/desktop-tests";       \
    } while (0)

// Runs the event loop until done() holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Runs a tool while the event loop goes on and waits for it; false when it failed. Its
// standard output goes to output when given.
bool RunTool(const QString& program, const QStringList& args, QString* output = nullptr);
inline bool Xdotool(const QStringList& args) { return RunTool("xdotool", args); }
// Starts xdotool and returns at once; the event loop carries on.
void XdotoolLater(const QStringList& args);

// Asks a window to close, as its close button does (WM_DELETE_WINDOW).
bool AskToClose(unsigned long windowId);

// A private folder, removed with everything in it at the end.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    const std::filesystem::path& Dir() const { return FDir; }

private:
    std::filesystem::path FDir;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// The drag-source helper program showing its window at a screen position, ready to drag these
// files (or addresses) as soon as the left button goes down on it. Ended with the object.
class TDragSource {
public:
    TDragSource(int x, int y, const std::vector<std::string>& items);
    ~TDragSource();
    bool Ready() const { return FReady; }
    // xdotool's steps to press on the source's window.
    QStringList PressOnIt() const;

private:
    QProcess FProcess;
    int FX, FY;
    bool FReady = false;
};
