#pragma once
// The boundary to the desktop, as the controls see it. The implementations live in platform/host. Everything the controls need of a real desktop goes through one
// THost; the program runs on the Qt host, tests on the headless host. A host translates and
// decides nothing: which control, which state, which pixel is always our own code's business.
//
// Input comes back the other way, as calls on the form (TForm::Host... methods), always on the
// one user-interface thread.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Types.h"

class TForm;
class TMenuItem;
class TPopupMenu;

// Icons of a message box (Plain: none), its buttons and its answers. YesNo shows "はい(&Y)" and
// "いいえ(&N)": Yes is the default button (Enter), No the cancel button (Esc); closing the box
// answers None.
enum class TMsgKind { Error, Information, Confirmation, Warning, Plain };
enum class TMsgButtons { Ok, YesNo };
enum class TModalResult { None, Ok, Cancel, Yes, No };

// What the save dialog is asked with; texts are code page 932.
struct TSaveDialogRequest {
    std::string Filter;      // "description|pattern;pattern|..."
    int FilterIndex = 1;
    std::string DefaultExt;  // without the dot
    std::string FileName;    // offered at the start: the last chosen one
    bool Preview = true;     // show a picture preview of the selected file
};

// One mail hand-over; texts are code page 932, paths local.
struct TMailRequest {
    std::string Subject;
    std::string Body;
    std::string RecipientName;
    std::string RecipientAddress;
    std::vector<std::string> Attachments;
};

using THostTimerId = int;

class THost {
public:
    virtual ~THost() = default;

    // The current host; set by the program's entry or by a test.
    static THost* Current();
    static void SetCurrent(THost* host);

    // Windows. A form gets its native window when shown; the host then shows its back buffer.
    virtual void ShowForm(TForm* form) = 0;
    virtual void HideForm(TForm* form) = 0;
    virtual void FormChanged(TForm* form) = 0;            // caption, position, size or style changed
    virtual void InvalidateForm(TForm* form, const TRect& area) = 0;  // paint at the next cycle
    virtual void PresentForm(TForm* form, const TRect& area) = 0;     // back buffer ready: show it now
    virtual void DestroyForm(TForm* form) = 0;

    // Modal interaction; each call returns when the user has answered.
    // Shows the menu's visible items (captions with access keys, check marks, shortcut texts
    // from ShortCutToText, submenus, separators, disabled items greyed) at a point of the form's
    // client area; returns the item chosen, or nullptr. The caller clicks it.
    virtual TMenuItem* PopupMenu(TForm* form, TPopupMenu* menu, TPoint clientPos) = 0;
    virtual TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgKind kind,
                                    TMsgButtons buttons) = 0;
    virtual bool SaveDialog(const TSaveDialogRequest& request, std::string& fileName) = 0;
    virtual void Beep() = 0;

    // Timers fire on the user-interface thread until killed.
    virtual THostTimerId StartTimer(int intervalMs, std::function<void()> onTick) = 0;
    virtual void KillTimer(THostTimerId id) = 0;

    // The pointer in screen coordinates; key state as the system reports it (high bit: down).
    virtual TPoint CursorPos() = 0;
    virtual int16_t KeyState(int virtualKey) = 0;

    // The event loop, until Quit.
    virtual void Run() = 0;
    virtual void Quit() = 0;

    // The desktop's services: an address in the default browser (the result is not asked
    // for), and a mail hand-over: 0 for success, anything else for failure.
    virtual void OpenURL(const std::string& address) = 0;
    virtual unsigned long SendMail(const TMailRequest& mail) = 0;
};
