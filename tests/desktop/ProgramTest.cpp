// The program itself on a display: its window, its first frame, a picture dragged in from
// another program, the menu and the shortcuts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <memory>

#include "app/board/MainWindow1.h"
#include "platform/controls/Application.h"
#include "platform/host/HeadlessHost.h"
#include "tests/desktop/helpers/DesktopTesting.h"

namespace {

// An application object for taking screenshots; the program runs in a process of its own.
class TScreenSession : public testing::Environment {
public:
    void SetUp() override
    {
        if (HaveDisplay())
            FApp = std::make_unique<QApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[16] = "desktop_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] testing::Environment* const session = testing::AddGlobalTestEnvironment(new TScreenSession);

// Tile k's middle, in client coordinates (tiles as the board lays them out).
TPoint TileMiddle(int k)
{
    static const TPoint middles[] = {{75, 56},   {225, 56},  {375, 56},  {525, 56},  {525, 168},
                                     {525, 280}, {525, 392}, {375, 392}, {225, 392}, {75, 392},
                                     {75, 280},  {75, 168},  {300, 224}};
    return middles[k - 1];
}

bool Near(QRgb a, QRgb b, int tolerance = 16)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class Program : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        FProgram.setProcessChannelMode(QProcess::ForwardedChannels);
        FProgram.start(TIRORA_PROGRAM, {});
        QString found;
        ASSERT_TRUE(RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^ティロラ - "}, &found));
        Id = found.split('\n', Qt::SkipEmptyParts).value(0);
        // The first frame is there once the middle tile shows its brown.
        ASSERT_TRUE(WaitUntil([this] { return Near(Shot().pixel(300, 224), qRgb(128, 64, 0), 0); }));
    }
    void TearDown() override
    {
        FProgram.kill();
        FProgram.waitForFinished();
    }

    QImage Shot() const { return QGuiApplication::primaryScreen()->grabWindow(Id.toULongLong()).toImage(); }
    // A point of the board's client area as xdotool's screen coordinates (the window is at 20, 20
    // with no window manager to frame it).
    static QStringList MoveTo(TPoint client)
    {
        return {"mousemove", "--sync", QString::number(20 + client.X), QString::number(20 + client.Y)};
    }

    QProcess FProgram;
    QString Id;
};

} // namespace

TEST_F(Program, ShowsItsBoardWindowAtItsPlaceOnTop)
{
    QString info, properties;
    ASSERT_TRUE(RunTool("xwininfo", {"-id", Id}, &info));
    EXPECT_TRUE(info.contains("Width: 600") && info.contains("Height: 448")) << info.toStdString();
    EXPECT_TRUE(info.contains("Absolute upper-left X:  20") && info.contains("Absolute upper-left Y:  20"));
    ASSERT_TRUE(RunTool("xprop", {"-id", Id}, &properties));
    EXPECT_TRUE(properties.contains("_NET_WM_NAME(UTF8_STRING) = \"ティロラ - (右クリックでポップアップメニュー)\""))
        << properties.toStdString();
    EXPECT_TRUE(properties.contains("_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(properties.contains("program specified minimum size: 600 by 448"));
    EXPECT_TRUE(properties.contains("program specified maximum size: 600 by 448"));
}

TEST_F(Program, FirstFrameIsTheBoardPixelForPixel)
{
    const QImage shot = Shot();
    ASSERT_EQ(shot.size(), QSize(600, 448));
    // The same board, painted without a display.
    THeadlessHost reference;
    Application->CreateForm(MainForm1);
    MainForm1->Show();
    reference.ProcessPaints();
    int differing = 0;
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 600; ++x)
            differing += (shot.pixel(x, y) & 0xFFFFFF) != reference.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(Program, PictureDraggedFromAnotherProgramLandsInTheTileLastCrossed)
{
    TScratchDir scratch;
    const std::string picture = (scratch.Dir() / "写真.JPG").string();
    QImage red(64, 48, QImage::Format_RGB32);
    red.fill(qRgb(224, 16, 16));
    ASSERT_TRUE(red.save(QString::fromStdString(picture), "JPEG", 95));
    TDragSource source(700, 100, {picture});
    ASSERT_TRUE(source.Ready());

    XdotoolLater(source.PressOnIt() + QStringList{"sleep", "0.3"} + MoveTo(TileMiddle(5)) + QStringList{"sleep", "0.3"} +
                 MoveTo(TileMiddle(13)) + QStringList{"sleep", "0.3"} + MoveTo(TileMiddle(4)) +
                 QStringList{"sleep", "0.5", "mouseup", "1"});
    EXPECT_TRUE(WaitUntil([&] { return Near(Shot().pixel(TileMiddle(4).X, TileMiddle(4).Y), qRgb(224, 16, 16)); }, 15000));
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(TileMiddle(5).X, TileMiddle(5).Y) & 0xFFFFFF, 0xFFFFB9u) << "tile 5 keeps its backdrop";
    EXPECT_EQ(shot.pixel(TileMiddle(13).X, TileMiddle(13).Y) & 0xFFFFFF, 0x804000u);
}

TEST_F(Program, RightClickOpensTheMenuAndShortcutsWorkWithItClosed)
{
    const QRect around(20 + 200, 20 + 150, 150, 150);  // where the menu opens, below and right of the click
    const QImage before = QGuiApplication::primaryScreen()->grabWindow(0, around.x(), around.y(), 150, 150).toImage();
    const auto screen = [&] { return QGuiApplication::primaryScreen()->grabWindow(0, around.x(), around.y(), 150, 150).toImage(); };

    ASSERT_TRUE(Xdotool(MoveTo({200, 150}) + QStringList{"click", "3"}));
    EXPECT_TRUE(WaitUntil([&] { return screen() != before; })) << "the menu shows";
    ASSERT_TRUE(Xdotool({"key", "Escape"}));
    EXPECT_TRUE(WaitUntil([&] { return screen() == before; })) << "Escape closes it";

    // Ctrl+F2 shows the clock hours in black on the border tiles; Ins hides them again.
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", Id}));
    const auto darkInLabel1 = [&] {
        const QImage shot = Shot();
        int dark = 0;
        for (int y = 4; y < 24; ++y)
            for (int x = 4; x < 60; ++x)
                dark += qRed(shot.pixel(x, y)) < 80;
        return dark;
    };
    ASSERT_EQ(darkInLabel1(), 0);
    ASSERT_TRUE(Xdotool({"key", "ctrl+F2"}));
    EXPECT_TRUE(WaitUntil([&] { return darkInLabel1() > 10; }));
    ASSERT_TRUE(Xdotool({"key", "Insert"}));
    EXPECT_TRUE(WaitUntil([&] { return darkInLabel1() == 0; }));
    EXPECT_EQ(screen(), before) << "no menu opened for the shortcuts";
}
