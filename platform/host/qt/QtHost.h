#pragma once
// The desktop host: our forms as Qt 6 windows, our menus and dialogs as the desktop's, our
// timers on Qt's event loop; the browser and the mail program through xdg-open and xdg-email.
//
// The program's entry makes one, before anything is shown:
//     TQtHost host(argc, argv);   // becomes THost::Current()
// On an X display it asks Qt for the xcb platform (unless the user chose one), since only
// there the desktop honours a window's place and its staying on top.
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "platform/controls/Host.h"
#include "platform/host/qt/KeyStates.h"
#include "platform/host/qt/MailHandOver.h"

class QApplication;
class QTimer;
class QWidget;
class TFormWindow;

class TQtHost : public THost {
public:
    // argc and argv must outlive the host, as Qt requires. Uses the application object that
    // already exists (tests), or makes its own.
    TQtHost(int& argc, char** argv);
    ~TQtHost() override;
    TQtHost(const TQtHost&) = delete;
    TQtHost& operator=(const TQtHost&) = delete;

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
    void Beep() override;

    THostTimerId StartTimer(int intervalMs, std::function<void()> onTick) override;
    void KillTimer(THostTimerId id) override;

    TPoint CursorPos() override;
    int16_t KeyState(int virtualKey) override;

    void Run() override;
    void Quit() override;

    void OpenURL(const std::string& address) override;
    unsigned long SendMail(const TMailRequest& mail) override;

    // The window of a form, or nullptr while it has none.
    QWidget* WindowOf(TForm* form) const;

private:
    TFormWindow* Window(TForm* form) const;
    // The window dialogs belong to, so that they stay above a form that stays on top.
    QWidget* DialogParent() const;

    std::vector<char*> FArgs;  // argv, with the platform asked for where needed
    int FArgc = 0;
    std::unique_ptr<QApplication> FOwnApp;
    std::map<TForm*, TFormWindow*> FWindows;
    std::map<THostTimerId, QTimer*> FTimers;
    THostTimerId FLastTimer = 0;
    TKeyStates FKeys;
    TMailHandOver FMail;
    std::string FLastSaveName;
};
