#pragma once
// A host without a display, for tests. It becomes the current host while it lives. Input is fed
// by calls (pointer, keys, drops), the paint cycle runs after each of them, dialogs are answered
// from queues, timers run on a clock that only Advance moves, and everything the program asks
// of the desktop (beeps, addresses, mail, message boxes, menus) is kept as a record.
//
//   THeadlessHost host;
//   auto* form = new TMainForm1(Application);   // or Application->CreateForm(MainForm1)
//   form->Show();
//   host.MoveTo(460, 10);                      // client coordinates of the target form
//   host.DropFiles({"/tmp/a.jpg"});
//   host.Key(VK_DELETE);
//   host.Key('S', {ssCtrl});
//   host.MessageBoxAnswers.push_back(TModalResult::Yes);
//   EXPECT_EQ(host.Pixel(10, 10), 0xFFD5BFu);
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/controls/Host.h"

class THeadlessHost : public THost {
public:
    THeadlessHost();
    // Frees the application's forms while still current, then stops being the current host.
    ~THeadlessHost() override;
    THeadlessHost(const THeadlessHost&) = delete;
    THeadlessHost& operator=(const THeadlessHost&) = delete;

    // ---- The form input goes to: the one set, else the last form shown that is still shown.
    TForm* Target() const;
    void SetTarget(TForm* form) { FTarget = form; }

    // ---- Pointer, in the target's client coordinates. Each call moves the cursor there
    // (screen position = the form's client origin + the point) and then runs the paint cycle.
    void MoveTo(int x, int y);
    void Press(int x, int y, TMouseButton button = mbLeft);
    void Release(int x, int y, TMouseButton button = mbLeft);
    // Press and release.
    void Click(int x, int y, TMouseButton button = mbLeft);
    // Press, release, the second press as a double click, release.
    void DoubleClick(int x, int y, TMouseButton button = mbLeft);
    void RightClick(int x, int y) { Click(x, y, mbRight); }
    // The pointer leaves the window.
    void Leave();
    void Wheel(int x, int y, int delta);

    // ---- Keys. Key: down (offered to the popup menu's shortcuts first), the character for
    // letters, digits and space, up. The modifiers are held while it happens.
    void Key(uint16_t virtualKey, TShiftState modifiers = {});
    void KeyDown(uint16_t virtualKey, TShiftState modifiers = {});
    void KeyUp(uint16_t virtualKey, TShiftState modifiers = {});
    void Char(char ch);

    // ---- Files dropped from the shell at a point (default: where the cursor is). false when
    // the form does not accept files.
    bool DropFiles(const std::vector<std::string>& paths);
    bool DropFiles(const std::vector<std::string>& paths, int x, int y);

    // The user closes the target window.
    void CloseTarget();

    // ---- Cursor and keys as the program reads them (GetCursorPos, GetKeyState).
    void SetCursorPos(TPoint screen) { FCursor = screen; }
    void SetKeyDown(int virtualKey, bool down);
    // Where the host puts a form's client area within its window.
    TPoint FrameOffset{4, 23};

    // ---- The paint cycle: paints every form's marked area and presents it.
    void ProcessPaints();
    // A pixel of the target's back buffer as 0x00RRGGBB.
    uint32_t Pixel(int x, int y) const;

    // ---- Time. Timers fire in order of their due time; each tick is followed by the paint cycle.
    void Advance(int milliseconds);
    int64_t Now() const { return FNow; }
    int RunningTimers() const;

    // ---- Dialog answers, taken in order. An empty queue answers a message box with Ok (for
    // an OK box) or None (closed, for a question), cancels the save dialog, dismisses a menu,
    // and reports mail as handed over (0).
    std::deque<TModalResult> MessageBoxAnswers;
    std::deque<std::optional<std::string>> SaveDialogAnswers;  // nullopt: cancelled
    std::deque<TMenuItem*> PopupChoices;                       // nullptr: dismissed
    std::deque<unsigned long> MailResults;
    // Called instead of the queues when set (for looking at the program mid-dialog).
    std::function<TModalResult(const std::string& text, const std::string& caption, TMsgKind, TMsgButtons)>
        OnMessageBox;
    std::function<unsigned long(const TMailRequest&)> OnSendMail;
    std::function<TMenuItem*(TForm*, TPopupMenu*, TPoint)> OnPopupMenu;

    // ---- Records.
    struct TMessageBoxRecord {
        std::string Text;
        std::string Caption;
        TMsgKind Kind;
        TMsgButtons Buttons;
    };
    struct TPopupRecord {
        TForm* Form;
        TPopupMenu* Menu;
        TPoint ClientPos;
    };
    std::vector<TMessageBoxRecord> MessageBoxes;
    std::vector<TSaveDialogRequest> SaveDialogs;
    std::vector<TPopupRecord> Popups;
    std::vector<std::string> OpenedURLs;
    std::vector<TMailRequest> Mails;
    int Beeps = 0;
    int Presents = 0;
    int Invalidations = 0;
    bool Running = false;
    bool QuitCalled = false;
    std::vector<TForm*> ShownForms;

    // THost
    void ShowForm(TForm* form) override;
    void HideForm(TForm* form) override;
    void FormChanged(TForm* form) override;
    void InvalidateForm(TForm* form, const TRect& area) override;
    void PresentForm(TForm* form, const TRect& area) override;
    void DestroyForm(TForm* form) override;
    TMenuItem* PopupMenu(TForm* form, TPopupMenu* menu, TPoint clientPos) override;
    TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgKind kind,
                            TMsgButtons buttons) override;
    bool SaveDialog(const TSaveDialogRequest& request, std::string& fileName) override;
    void Beep() override { ++Beeps; }
    THostTimerId StartTimer(int intervalMs, std::function<void()> onTick) override;
    void KillTimer(THostTimerId id) override;
    TPoint CursorPos() override { return FCursor; }
    int16_t KeyState(int virtualKey) override;
    void Run() override;
    void Quit() override;
    void OpenURL(const std::string& address) override { OpenedURLs.push_back(address); }
    unsigned long SendMail(const TMailRequest& mail) override;

private:
    TShiftState Shift() const;
    void Place(TForm* form, int x, int y);

    struct Timer {
        int Interval;
        int64_t Due;
        std::function<void()> Tick;
    };
    THost* FPrevious;
    TForm* FTarget = nullptr;
    TPoint FCursor;
    std::map<int, bool> FKeys;
    std::map<THostTimerId, Timer> FTimers;
    THostTimerId FNextTimer = 1;
    int64_t FNow = 0;
};
