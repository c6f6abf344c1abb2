#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <memory>

#include "platform/controls/WinApi.h"
#include "platform/host/qt/QtHost.h"
#include "tests/host_qt/DesktopSession.h"
#include "tests/host_qt/FakeTools.h"
#include "tests/host_qt/TestForm.h"

namespace fs = std::filesystem;

namespace {

class DesktopWindow : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        Form = new TTestForm;
        Form->Show();
        ASSERT_TRUE(WaitUntil([this] { return Window() && Window()->windowHandle()->isExposed(); }));
        ASSERT_TRUE(WaitUntil([this] { return Form->InvalidRect().IsEmpty(); }));
        Id = QString::number(Window()->winId());
    }
    void TearDown() override
    {
        delete Form;
        QCoreApplication::processEvents();
    }

    QWidget* Window() const { return Host().WindowOf(Form); }
    // A point of the form's client area as xdotool's screen coordinates.
    QStringList At(TPoint client) const
    {
        const QPoint p = Window()->mapToGlobal(QPoint(client.X, client.Y));
        return {QString::number(p.x()), QString::number(p.y())};
    }
    QStringList MoveTo(TPoint client) const { return QStringList{"mousemove", "--sync"} + At(client); }

    TTestForm* Form = nullptr;
    QString Id;
};

} // namespace

TEST_F(DesktopWindow, HasTheCaptionTheFixedClientSizeItsPlaceAndStaysOnTop)
{
    QString found;
    ASSERT_TRUE(RunTool("xdotool", {"search", "--name", "^ティロラ - \\(右クリックでポップアップメニュー\\)$"}, &found));
    EXPECT_TRUE(found.split('\n').contains(Id)) << found.toStdString();

    QString info;
    ASSERT_TRUE(RunTool("xwininfo", {"-id", Id}, &info));
    EXPECT_TRUE(info.contains("Width: 600")) << info.toStdString();
    EXPECT_TRUE(info.contains("Height: 448"));
    EXPECT_TRUE(info.contains("Absolute upper-left X:  20"));  // no window manager: no frame
    EXPECT_TRUE(info.contains("Absolute upper-left Y:  20"));

    QString properties;
    ASSERT_TRUE(RunTool("xprop", {"-id", Id}, &properties));
    EXPECT_TRUE(properties.contains("_NET_WM_STATE_ABOVE")) << properties.toStdString();
    EXPECT_TRUE(properties.contains("program specified minimum size: 600 by 448"));
    EXPECT_TRUE(properties.contains("program specified maximum size: 600 by 448"));
    EXPECT_FALSE(properties.contains("_NET_WM_STATE_SKIP_TASKBAR"));
}

TEST_F(DesktopWindow, ScreenShowsTheBackBufferPixelForPixel)
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(Window()->winId()).toImage();
    ASSERT_EQ(shot.size(), QSize(600, 448));
    const TBitmap& buffer = *Form->BackBuffer();
    int differing = 0;
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 600; ++x)
            differing += (shot.pixel(x, y) & 0xFFFFFF) != buffer.PixelRGB(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(buffer.PixelRGB(150, 112), 0xFFD5BFu);  // the first tile, red in the lowest byte of its colour
}

TEST_F(DesktopWindow, PointerMovesAndDoubleClicksReachTheTileUnderThePointer)
{
    ASSERT_TRUE(Xdotool(MoveTo(TTestForm::TileMiddle(2))));
    EXPECT_TRUE(WaitUntil([this] { return Form->LastTile == 2; }));
    ASSERT_TRUE(Xdotool(MoveTo(TTestForm::TileMiddle(3))));
    EXPECT_TRUE(WaitUntil([this] { return Form->LastTile == 3; }));
    EXPECT_EQ(Host().CursorPos(), Form->ClientToScreen(TTestForm::TileMiddle(3)));

    ASSERT_TRUE(Xdotool({"click", "--repeat", "2", "--delay", "60", "1"}));
    EXPECT_TRUE(WaitUntil([this] { return Form->DoubleClickedTile == 3; }));
}

namespace {

struct TShownItem {
    QString text;
    bool checked;
};

// What a menu showed: its entries' texts (separators as "-") and check marks, submenus inline
// after a ">" entry.
std::vector<TShownItem> Shown(const QMenu& menu)
{
    std::vector<TShownItem> items;
    for (QAction* action : menu.actions()) {
        items.push_back({action->isSeparator() ? "-" : action->text(), action->isChecked()});
        if (QMenu* submenu = action->menu()) {
            items.back().text = ">" + items.back().text;
            for (const TShownItem& sub : Shown(*submenu))
                items.push_back(sub);
        }
    }
    return items;
}

} // namespace

TEST_F(DesktopWindow, RightClickOpensTheMenuAndItsAccessKeyChooses)
{
    std::vector<TShownItem> shown;
    QPoint menuAt;
    // The menu runs its own loop: look at it, then choose by access key, from a timer.
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !shown.empty())
            return;
        shown = Shown(*menu);
        menuAt = menu->pos();
        XdotoolLater({"key", "s"});
    });
    watch.start();
    ASSERT_TRUE(Xdotool(MoveTo(TTestForm::TileMiddle(4)) + QStringList{"click", "3"}));
    ASSERT_TRUE(WaitUntil([this] { return !Form->Clicked.empty(); }));
    watch.stop();

    EXPECT_EQ(Form->Clicked, std::vector<std::string>{"Save1"});
    const std::vector<std::pair<QString, bool>> expected{
        {"保存(&S)...\tCtrl+S", false},
        {"-", false},
        {">月日/時刻/星座の割り振り(&N)", false},
        {"白い月日(&W)\tShift+F1", false},
        {"白い星座(&I)\tShift+Ctrl+F1", false},
        {"-", false},
        {"年月/時刻/星座なし(&N)\tIns", true},
        {"ぜんぶ消去(&D)\tDel", false},
        {"インフォメーション(&I)...", false},
    };
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shown[i].text, expected[i].first) << i;
        EXPECT_EQ(shown[i].checked, expected[i].second) << i;
    }
    const QPoint clickedAt = Window()->mapToGlobal(QPoint(TTestForm::TileMiddle(4).X, TTestForm::TileMiddle(4).Y));
    EXPECT_LE((menuAt - clickedAt).manhattanLength(), 2);
}

TEST_F(DesktopWindow, ShortcutsReachTheirItemsWhileTheMenuIsClosed)
{
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", Id}));
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"ctrl+s", {"Save1"}},
        {"shift+F1", {"N2", "N6"}},  // through its submenu, as if chosen there
        {"ctrl+shift+F1", {"N2", "N5"}},
        {"Insert", {"N2", "N8"}},
        {"Delete", {"D1"}},
    };
    for (const auto& [keys, clicked] : cases) {
        SCOPED_TRACE(keys);
        Form->Clicked.clear();
        ASSERT_TRUE(Xdotool({"key", keys}));
        EXPECT_TRUE(WaitUntil([&] { return Form->Clicked == clicked; }, 2000));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(DesktopWindow, KeyStateFollowsTheKeysOurWindowSaw)
{
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", Id}));
    ASSERT_TRUE(Xdotool({"keydown", "shift", "keydown", "a"}));
    EXPECT_TRUE(WaitUntil([] { return GetKeyState('A') < 0 && GetKeyState(VK_SHIFT) < 0; }));
    ASSERT_TRUE(Xdotool({"keyup", "a", "keyup", "shift"}));
    EXPECT_TRUE(WaitUntil([] { return GetKeyState('A') >= 0 && GetKeyState(VK_SHIFT) >= 0; }));
}

TEST_F(DesktopWindow, FilesDraggedFromAnotherProgramArriveInOrderAsLocalPaths)
{
    TScratchDir scratch;
    const fs::path first = scratch.Dir() / "写真 1.jpg";
    const fs::path second = scratch.Dir() / "scan.bmp";
    WriteFile(first, "jpeg");
    WriteFile(second, "bmp");

    TDragSource source(700, 100, {first.string(), "https://example.org/a.jpg", second.string()});
    ASSERT_TRUE(source.Ready());

    // Press on the source, cross tile 1 and then tile 4, let go over tile 4.
    XdotoolLater(source.PressOnIt() + QStringList{"sleep", "0.3"} + MoveTo(TTestForm::TileMiddle(1)) +
                 QStringList{"sleep", "0.3"} + MoveTo(TTestForm::TileMiddle(4)) + QStringList{"sleep", "0.5", "mouseup", "1"});
    EXPECT_TRUE(WaitUntil([this] { return !Form->Drops.empty(); }, 15000));

    ASSERT_EQ(Form->Drops.size(), 1u);
    EXPECT_EQ(Form->Drops[0], (std::vector<std::string>{first.string(), second.string()}));
    EXPECT_EQ(Form->LastTile, 4);
    EXPECT_TRUE(fs::exists(first)) << "a drop is a copy: the source keeps its files";
}
