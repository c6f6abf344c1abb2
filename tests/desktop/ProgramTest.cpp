// The program's window on a display: its place, caption and size, its first frame, the popup
// menu and the shortcuts.
#include "tests/desktop/BoardProgram.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "app/board/MainWindow1.h"
#include "platform/controls/Application.h"
#include "platform/host/HeadlessHost.h"

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

TEST_F(Program, RightClickOpensTheMenuAndShortcutsWorkWithItClosed)
{
    const QRect around(20 + 200, 20 + 150, 150, 150);  // where the menu opens, below and right of the click
    const auto screen = [&] {
        return QGuiApplication::primaryScreen()->grabWindow(0, around.x(), around.y(), 150, 150).toImage();
    };
    const QImage before = screen();

    ASSERT_TRUE(Xdotool(MoveTo({200, 150}) + QStringList{"click", "3"}));
    EXPECT_TRUE(WaitUntil([&] { return screen() != before; })) << "the menu shows";
    ASSERT_TRUE(Xdotool({"key", "Escape"}));
    EXPECT_TRUE(WaitUntil([&] { return screen() == before; })) << "Escape closes it";

    // Ctrl+F2 shows the clock hours in black on the border tiles; Ins hides them again.
    const auto darkInLabel1 = [&] { return DarkPixels(Shot(), Bounds(4, 4, 56, 20)); };
    ASSERT_EQ(darkInLabel1(), 0);
    ASSERT_TRUE(KeysToBoard({"ctrl+F2"}));
    EXPECT_TRUE(WaitUntil([&] { return darkInLabel1() > 10; }));
    ASSERT_TRUE(KeysToBoard({"Insert"}));
    EXPECT_TRUE(WaitUntil([&] { return darkInLabel1() == 0; }));
    EXPECT_EQ(screen(), before) << "no menu opened for the shortcuts";
}

TEST_F(Program, ItemsChosenFromThePopupMenuDoTheirWork)
{
    InstallStandIn("xdg-open");
    const auto menusOpen = [&](int count) { return WaitUntil([&] { return OtherWindows().size() == count; }); };

    // 月日/時刻/星座の割り振り(&N), then 黒い時刻(&L) in its submenu.
    ASSERT_TRUE(Xdotool(MoveTo({200, 150}) + QStringList{"click", "3"}));
    ASSERT_TRUE(menusOpen(1));
    ASSERT_TRUE(Xdotool({"key", "n"}));
    ASSERT_TRUE(menusOpen(2));
    ASSERT_TRUE(Xdotool({"key", "l"}));
    ASSERT_TRUE(menusOpen(0));
    EXPECT_TRUE(WaitUntil([&] { return DarkPixels(Shot(), Bounds(4, 4, 56, 20)) > 10; })) << "black hours show";

    // インフォメーション(&I): the browser opens the program's page, named after the executable.
    ASSERT_TRUE(Xdotool(MoveTo({200, 150}) + QStringList{"click", "3"}));
    ASSERT_TRUE(menusOpen(1));
    ASSERT_TRUE(Xdotool({"key", "i"}));
    ASSERT_TRUE(WaitUntil([&] { return !Arguments("xdg-open").empty(); })) << "the browser is asked";
    const std::vector<std::string> args = Arguments("xdg-open");
    ASSERT_EQ(args.size(), 1u);
    EXPECT_TRUE(args[0].starts_with("http://") && args[0].ends_with("/info.php?pf=w&sn=tirora")) << args[0];
}
