#pragma once
// The program itself, started as a child process on the test display, in a sandbox of its own:
// its executable in a private folder (the mail command writes beside it), a private home,
// configuration, cache, runtime and temporary folders, and a folder of stand-in tools first on
// its PATH. The tests drive it as a user would, through xdotool and another program's drags,
// and look at it through screenshots and the files it writes.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "tests/desktop/helpers/DesktopTesting.h"

// Tile k's middle, in client coordinates (the board's layout: four rows of 150 x 112 tiles
// around a 300 x 224 centre tile).
TPoint TileMiddle(int k);

// Channel by channel within tolerance.
bool Near(QRgb a, QRgb b, int tolerance = 16);

// The mean channel difference of two pictures of the same size (255 when the sizes differ).
double MeanError(const QImage& a, const QImage& b);

// Pixels in a client rectangle whose red channel is below 80: the black ink of a caption.
int DarkPixels(const QImage& image, const TRect& area);

// The backdrop colours of the empty board, as the screen shows them.
constexpr QRgb PeachRgb = 0xFFFFD5BF, PaleYellowRgb = 0xFFFFFFB9, BrownRgb = 0xFF804000;

class Program : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The board window as the screen shows it, 600 x 448.
    QImage Shot() const;
    QRgb At(TPoint client) const;
    // Waits until the middle of tile k shows this colour (within a JPEG's error).
    bool WaitForTile(int k, QRgb colour, int timeoutMs = 10000) const;

    // Keys typed into the board, focused first ("ctrl+s", "Delete"...).
    bool KeysToBoard(const QStringList& keys) const;
    // xdotool's steps that move the pointer to a client point of the board (the window sits at
    // 20, 20 with no window manager to frame it).
    static QStringList MoveTo(TPoint client);

    // Visible windows of the program other than the board: its dialogs and message boxes.
    QStringList OtherWindows() const;
    // Waits until the program shows one window besides the board, named so (a dialog or a
    // message box); empty when none came.
    QString WaitForWindowNamed(const QString& name) const;
    // Waits until the board is the program's only window again.
    bool WaitForBoardAlone() const;
    static QString WindowName(const QString& window);

    // Drags a file from another program: press on the drag source, cross the given client
    // points of the board in order, release over the last one. The source stays until done()
    // holds (the board reads the dropped data after the release), at most timeoutMs.
    bool DragFile(const std::string& file, const std::vector<TPoint>& path, const std::function<bool()>& done,
                  int timeoutMs = 10000) const;

    // Ends the program through its window's close button as the desktop would press it; true
    // when it ended on its own with exit code 0.
    bool CloseWindow();

    // A stand-in for a desktop tool (xdg-email, xdg-open) on the program's PATH: writes its
    // arguments, one per line, to <name>.args, copies each file named after "--attach" into
    // Seen while it runs, and exits with exitCode.
    void InstallStandIn(const std::string& name, int exitCode = 0);
    // The arguments of the stand-in's last call; empty when there was none.
    std::vector<std::string> Arguments(const std::string& name) const;

    TScratchDir Scratch;
    std::filesystem::path Bin, Home, Temp, Tools, Seen, Files;
    QProcess Child;
    QString Id;
};
