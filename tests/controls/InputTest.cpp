// Pointer, keys and drops through the headless host: hit-testing, capture, double clicks,
// enter and leave, the popup menu and its shortcuts, and the exception report.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/controls/ShellApi.h"
#include "platform/controls/WinApi.h"
#include "tests/controls/Probe.h"
#include "tests/controls/TestForm.h"

namespace {

std::vector<std::string> Without(std::vector<std::string> log, const char* prefix)
{
    std::erase_if(log, [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    return log;
}

using Log = std::vector<std::string>;

}  // namespace

TEST(Input, TheTopmostVisibleControlTakesThePointer)
{
    TBoardFixture f;
    TTestForm& form = *f.Form;
    f.Host.MoveTo(8, 8);  // the label is hidden: the tile takes it
    f.Host.MoveTo(150, 50);
    EXPECT_EQ(form.Log, (Log{"Image1 move 8,8", "Image2 move 50,50"}));
    EXPECT_EQ(form.MouseControl(), form.Image2);

    // A visible label lies over the tile and takes its events, though it has no handler.
    form.Log.clear();
    form.Label1->Show();
    f.Host.MoveTo(8, 8);
    f.Host.DoubleClick(8, 8);
    EXPECT_EQ(form.Log, Log{});
    EXPECT_EQ(form.MouseControl(), form.Label1);
    EXPECT_EQ(form.ControlAtPos({8, 8}, false), form.Label1);

    // A disabled control is passed over for input (what lies under it gets it), not for enter
    // and leave.
    form.Log.clear();
    form.Image2->SetEnabled(false);
    int shapeMoves = 0;
    form.Shape2->OnMouseMove = [&](TObject* sender, TShiftState, int X, int Y) {
        EXPECT_EQ(sender, form.Shape2);
        EXPECT_EQ(X, 50);
        EXPECT_EQ(Y, 50);
        ++shapeMoves;
    };
    f.Host.MoveTo(150, 50);
    EXPECT_EQ(shapeMoves, 1);
    EXPECT_EQ(form.Log, Log{});
    EXPECT_EQ(form.MouseControl(), form.Image2);
}

TEST(Input, CaptureKeepsThePressedControlOutsideItself)
{
    TBoardFixture f;
    auto* probe = new TProbe(f.Form);
    probe->SetBounds(50, 20, 20, 20);
    probe->SetParent(f.Form);
    f.Host.Press(55, 25);
    EXPECT_EQ(GetCapture(), f.Form);
    f.Host.MoveTo(-5, 140);  // off the window: still the probe's, in its own coordinates
    f.Host.MoveTo(10, 10);   // over another control: still the probe's
    f.Host.Release(10, 10);
    EXPECT_EQ(Without(probe->Log, "enter"),
              (Log{"down 5,5", "move -55,120", "leave", "move -40,-10", "up -40,-10"}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(f.Form->Log, Log{}) << "the tile under the pointer got nothing";

    // Released inside, it clicks; without csCaptureMouse the release goes where the pointer is.
    probe->Log.clear();
    f.Host.Click(60, 30);
    EXPECT_EQ(Without(probe->Log, "enter"), (Log{"down 10,10", "click", "up 10,10"}));
    probe->Log.clear();
    probe->SetControlStyle(probe->ControlStyle() & ~csCaptureMouse);
    f.Host.Press(60, 30);
    EXPECT_EQ(GetCapture(), nullptr);
    f.Host.Release(10, 10);
    EXPECT_EQ(Without(Without(probe->Log, "enter"), "leave"), (Log{"down 10,10"}));
    EXPECT_EQ(f.Form->Log, Log{}) << "a release is no move, and the tile was not pressed";
}

TEST(Input, DoubleClicksFollowTheControlStyle)
{
    TBoardFixture f;
    f.Host.DoubleClick(150, 50);  // an image: csDoubleClicks and csClickEvents
    EXPECT_EQ(f.Form->Log, (Log{"Image2 click", "Image2 dblclick"}));

    auto* probe = new TProbe(f.Form);
    probe->SetBounds(50, 20, 20, 20);
    probe->SetParent(f.Form);
    f.Host.DoubleClick(55, 25);
    EXPECT_EQ(Without(probe->Log, "enter"),
              (Log{"down 5,5", "click", "up 5,5", "dblclk message", "dblclick", "down 5,5 double", "up 5,5"}));

    // Without csDoubleClicks the second press is a plain press; without csClickEvents the base
    // raises neither Click nor DblClick.
    probe->Log.clear();
    probe->SetControlStyle(csCaptureMouse | csOpaque);
    f.Host.DoubleClick(55, 25);
    EXPECT_EQ(Without(probe->Log, "enter"), (Log{"down 5,5", "up 5,5", "down 5,5", "up 5,5"}));
}

TEST(Input, EnterAndLeaveFollowTheControlUnderThePointer)
{
    TBoardFixture f;
    auto* probe = new TProbe(f.Form);
    probe->SetBounds(50, 20, 20, 20);
    probe->SetParent(f.Form);
    f.Host.MoveTo(10, 10);
    f.Host.MoveTo(55, 25);
    f.Host.MoveTo(56, 26);
    f.Host.MoveTo(10, 10);
    EXPECT_EQ(probe->Log, (Log{"move 5,5", "enter", "move 6,6", "leave"}));
    probe->Log.clear();
    probe->SetEnabled(false);
    f.Host.MoveTo(55, 25);  // disabled: no mouse message, but the pointer is over it
    f.Host.Leave();         // out of the window
    EXPECT_EQ(probe->Log, (Log{"enter", "leave"}));
    EXPECT_EQ(f.Form->MouseControl(), nullptr);
}

TEST(Input, ARightClickAnywhereOpensTheFormsMenuAtThePointer)
{
    TBoardFixture f;
    f.Form->Label1->Show();
    f.Host.RightClick(8, 8);      // on the label
    f.Host.RightClick(150, 50);   // on a tile
    ASSERT_EQ(f.Host.Popups.size(), 2u);
    EXPECT_EQ(f.Host.Popups[0].Menu, f.Form->PopupMenu1);
    EXPECT_EQ(f.Host.Popups[0].ClientPos, (TPoint{8, 8}));
    EXPECT_EQ(f.Host.Popups[1].ClientPos, (TPoint{150, 50}));
    EXPECT_EQ(f.Form->PopupMenu1->PopupComponent(), f.Form);
    EXPECT_EQ(f.Form->PopupMenu1->PopupPoint(), (TPoint{20 + 4 + 150, 30 + 23 + 50}));

    // The chosen command is clicked; a submenu, a separator or a stranger is not.
    TPopupMenu stranger(nullptr);
    auto* other = new TMenuItem(nullptr);
    stranger.Items()->Add(other);
    other->OnClick = [](TObject*) { FAIL() << "a stranger's item was clicked"; };
    for (TMenuItem* choice : {f.Item("N6"), f.Item("N2"), f.Item("N1"), other, static_cast<TMenuItem*>(nullptr)})
        f.Host.PopupChoices.push_back(choice);
    for (int i = 0; i < 5; ++i)
        f.Host.RightClick(10, 10);
    EXPECT_EQ(f.Form->Log, Log{"N6"});

    // A control's own menu comes before its form's.
    auto* own = new TPopupMenu(f.Form);
    f.Form->Image2->SetPopupMenu(own);
    f.Host.RightClick(150, 50);
    EXPECT_EQ(f.Host.Popups.back().Menu, own);
    EXPECT_EQ(own->PopupComponent(), f.Form->Image2);
    delete own;  // the control forgets it
    EXPECT_EQ(f.Form->Image2->PopupMenu(), nullptr);
}

TEST(Input, ShortcutsRunTheirItemsWithTheMenuClosed)
{
    struct Case {
        uint16_t Key;
        TShiftState Shift;
        Log Clicked;
    };
    const Case cases[] = {
        {'S', {ssCtrl}, {"Save1"}},
        {VK_F1, {ssShift}, {"N2", "N6"}},  // the submenu's item is clicked after its parent
        {VK_F1, {ssShift, ssCtrl}, {"N2", "N5"}},
        {VK_INSERT, {}, {"N2", "N8"}},
        {VK_DELETE, {}, {"D1"}},
        {'X', {ssCtrl}, {}},  // disabled
        {'S', {}, {}},
        {'S', {ssCtrl, ssAlt}, {}},
        {VK_F1, {}, {}},
    };
    TBoardFixture f;
    int keyDowns = 0;
    f.Form->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keyDowns; };
    for (const Case& c : cases) {
        f.Form->Log.clear();
        keyDowns = 0;
        f.Host.Key(c.Key, c.Shift);
        EXPECT_EQ(f.Form->Log, c.Clicked) << c.Key;
        // A key that is a shortcut is not handed on to the form.
        EXPECT_EQ(keyDowns, c.Key == 'X' || !c.Clicked.empty() ? 0 : 1) << c.Key;
    }
    EXPECT_TRUE(f.Host.Popups.empty());
    // A disabled parent stops the way to its items.
    f.Form->Log.clear();
    f.Item("N2")->SetEnabled(false);
    f.Host.Key(VK_DELETE);
    f.Host.Key(VK_INSERT);
    EXPECT_EQ(f.Form->Log, Log{"D1"});

    EXPECT_EQ(ShortCutToText(16467), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(24688), "Shift+Ctrl+F1");
    EXPECT_EQ(ShortCutToText(45), "Ins");
    EXPECT_EQ(ShortCutToText(46), "Del");
    EXPECT_EQ(ShortCut(VK_F2, {ssShift}), 8305);
    EXPECT_EQ(AccelChar(Sjis("保存(&S)...")), 'S');
    EXPECT_EQ(AccelChar("a&&b&c"), 'c');
    EXPECT_EQ(AccelChar("&"), 0);
}

TEST(Input, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn)
{
    TBoardFixture f;
    f.Form->Image1->OnClick = [](TObject*) { throw EInvalidGraphic(Sjis("ビットマップイメージが不正です")); };
    f.Form->Image2->OnDblClick = [](TObject*) { throw std::runtime_error("boom"); };
    f.Item("D1")->OnClick = [](TObject*) { throw 42; };
    f.Host.Click(10, 10);
    f.Host.DoubleClick(150, 50);
    f.Host.Key(VK_DELETE);
    ASSERT_EQ(f.Host.MessageBoxes.size(), 3u);
    for (const auto& box : f.Host.MessageBoxes) {
        EXPECT_EQ(box.Caption, Sjis("ティロラ"));
        EXPECT_EQ(box.Kind, TMsgKind::Error);
        EXPECT_EQ(box.Buttons, TMsgButtons::Ok);
    }
    EXPECT_EQ(f.Host.MessageBoxes[0].Text, Sjis("ビットマップイメージが不正です"));
    EXPECT_EQ(f.Host.MessageBoxes[1].Text, "boom");
    EXPECT_EQ(f.Host.MessageBoxes[2].Text, "");
    // Still running: the next events are handled.
    f.Host.Click(150, 50);
    EXPECT_EQ(f.Form->Log, (Log{"Image2 click", "Image2 click"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

namespace {

// Reads the drop as a drop handler does; optionally fails before releasing the handle.
class TDropForm : public TForm {
public:
    using TForm::TForm;
    void Dispatch(TMessage& m) override
    {
        if (m.Msg != WM_DROPFILES)
            return TForm::Dispatch(m);
        Drop = reinterpret_cast<HDROP>(m.WParam);
        Count = DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0);
        char path[260];
        const unsigned n = DragQueryFileA(Drop, 0, path, sizeof path);
        First = std::string(path, n);
        char small[8];
        Short = std::string(small, DragQueryFileA(Drop, 0, small, sizeof small));
        Needed = DragQueryFileA(Drop, 0, nullptr, 0);
        Beyond = DragQueryFileA(Drop, Count, path, sizeof path);
        if (Fail)
            throw Exception("cannot load");
        DragFinish(Drop);
    }
    HDROP Drop = nullptr;
    unsigned Count = 0, Needed = 0, Beyond = 99;
    std::string First, Short;
    bool Fail = false;
};

}  // namespace

TEST(Input, DroppedFilesArriveAsWM_DROPFILESAndTheHandleIsReleased)
{
    THeadlessHost host;
    auto* form = new TDropForm(Application);
    form->Show();
    EXPECT_FALSE(host.DropFiles({"/tmp/a.jpg"}, 5, 5)) << "not registered";
    DragAcceptFiles(form->Handle(), true);
    const std::string longName = "/tmp/" + std::string(300, 'x') + ".jpg";
    EXPECT_TRUE(host.DropFiles({"/pics/first photo.JPG", "/pics/b.bmp", longName}, 5, 5));
    EXPECT_EQ(form->Count, 3u);
    EXPECT_EQ(form->First, "/pics/first photo.JPG");
    EXPECT_EQ(form->Short, "/pics/f");  // at most size - 1 bytes
    EXPECT_EQ(form->Needed, form->First.size());
    EXPECT_EQ(form->Beyond, 0u);
    EXPECT_FALSE(IsLiveDropHandle(form->Drop));
    char buffer[8] = "x";
    EXPECT_EQ(DragQueryFileA(form->Drop, 0, buffer, sizeof buffer), 0u);  // released: not followed
    DragFinish(form->Drop);  // twice is harmless

    form->Fail = true;
    EXPECT_TRUE(host.DropFiles({longName}, 5, 5));
    EXPECT_EQ(form->First.size(), 259u);  // a long path is cut to the buffer
    EXPECT_FALSE(IsLiveDropHandle(form->Drop)) << "the form releases what the handler left";
    ASSERT_EQ(host.MessageBoxes.size(), 1u);
    EXPECT_EQ(host.MessageBoxes[0].Text, "cannot load");
}

TEST(Input, CursorAndScreenCoordinates)
{
    TBoardFixture f;  // the form's window is at 20, 30; the host's frame puts the client at +4, +23
    f.Host.MoveTo(10, 10);
    TPoint p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, (TPoint{34, 63}));
    EXPECT_EQ(f.Form->Image2->ClientToScreen({1, 2}), (TPoint{125, 55}));
    EXPECT_EQ(f.Form->Image2->ScreenToClient(p), (TPoint{-90, 10}));
    EXPECT_EQ(FindDragTarget(p, false), f.Form->Image1);
    EXPECT_EQ(FindDragTarget({0, 0}, false), nullptr);
    f.Form->Image1->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(p, false), f.Form->Shape1);
    EXPECT_EQ(FindDragTarget(p, true), f.Form->Image1);
    f.Host.Press(10, 10);
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    f.Host.Release(10, 10);
    EXPECT_EQ(GetKeyState(VK_LBUTTON), 0);
    f.Host.SetKeyDown(VK_SHIFT, true);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
}
