#include "platform/host/qt/QtHost.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QTimer>
#include <cstring>
#include <thread>

#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/host/qt/Dialogs.h"
#include "platform/host/qt/FormWindow.h"
#include "platform/host/qt/NativeMenu.h"
#include "platform/host/qt/ProcessLaunch.h"
#include "platform/text/FontCache.h"

namespace {

char PlatformOption[] = "-platform";
char XcbPlatform[] = "xcb";

bool AsksForPlatform(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

} // namespace

TQtHost::TQtHost(int& argc, char** argv)
{
    FArgs.assign(argv, argv + argc);
    // X11 honours the window's place and its staying on top; Wayland does not let a program
    // decide either. Where an X display is offered (XWayland included), the board takes it,
    // unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !AsksForPlatform(argc, argv)) {
        FArgs.insert(FArgs.begin() + (FArgs.empty() ? 0 : 1), {PlatformOption, XcbPlatform});
    }
    FArgc = static_cast<int>(FArgs.size());
    FArgs.push_back(nullptr);
    // Reading the fonts' configuration takes about as long as Qt's start on the display, and
    // the first form measures text as soon as it is made: the two are done side by side. The
    // cache is used by nothing else until the thread has ended.
    std::thread fonts([] { TFontCache::Instance(); });
    if (!QApplication::instance())
        FOwnApp = std::make_unique<QApplication>(FArgc, FArgs.data());
    fonts.join();
    QGuiApplication::setDesktopFileName(QStringLiteral("tirora"));
    // Looking the icon up in the icon theme takes as long as a tenth of the start: it comes a
    // moment after the window. Desktops that go by the menu entry show it from the start.
    QTimer::singleShot(300, [] { QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tirora"))); });
    // Closing a window asks its form; the form decides whether the program ends.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    SetCurrent(this);
}

TQtHost::~TQtHost()
{
    if (Current() == this)
        SetCurrent(nullptr);
    for (auto& [form, window] : FWindows)
        delete window;
    for (auto& [id, timer] : FTimers)
        delete timer;
    // Windows and timers let go of while the loop ran, and not yet deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---------------------------------------------------------------- windows

TFormWindow* TQtHost::Window(TForm* form) const
{
    auto found = FWindows.find(form);
    return found == FWindows.end() ? nullptr : found->second;
}

QWidget* TQtHost::WindowOf(TForm* form) const { return Window(form); }

void TQtHost::ShowForm(TForm* form)
{
    TFormWindow*& window = FWindows[form];
    if (!window)
        window = new TFormWindow(form, FKeys);
    window->ApplyForm();
    // The form marked itself for painting before it had a window to say so to.
    window->SchedulePaint();
    window->show();
    window->activateWindow();
}

void TQtHost::HideForm(TForm* form)
{
    if (TFormWindow* window = Window(form))
        window->hide();
}

void TQtHost::FormChanged(TForm* form)
{
    if (TFormWindow* window = Window(form))
        window->ApplyForm();
}

void TQtHost::InvalidateForm(TForm* form, const TRect&)
{
    if (TFormWindow* window = Window(form))
        window->SchedulePaint();
}

void TQtHost::PresentForm(TForm* form, const TRect& area)
{
    if (TFormWindow* window = Window(form))
        window->Present(area);
}

void TQtHost::DestroyForm(TForm* form)
{
    TFormWindow* window = Window(form);
    if (!window)
        return;
    FWindows.erase(form);
    // The form may be going from inside one of its window's own event handlers.
    window->Detach();
    window->hide();
    window->deleteLater();
}

// ---------------------------------------------------------------- modal interaction

QWidget* TQtHost::DialogParent() const
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (const auto& [form, window] : FWindows)
        if (window->isVisible())
            return window;
    return nullptr;
}

TMenuItem* TQtHost::PopupMenu(TForm* form, TPopupMenu* menu, TPoint clientPos)
{
    if (!menu)
        return nullptr;
    QWidget* window = Window(form);
    const QPoint at = window ? window->mapToGlobal(QPoint(clientPos.X, clientPos.Y)) : QPoint(clientPos.X, clientPos.Y);
    return ShowPopupMenu(window, *menu, at);
}

TModalResult TQtHost::MessageBox(const std::string& text, const std::string& caption, TMsgKind kind,
                                 TMsgButtons buttons)
{
    return ShowMessageBox(DialogParent(), text, caption, kind, buttons);
}

bool TQtHost::SaveDialog(const TSaveDialogRequest& request, std::string& fileName)
{
    TSaveDialogRequest asked = request;
    if (asked.FileName.empty())
        asked.FileName = FLastSaveName;
    if (!ShowSaveDialog(DialogParent(), asked, fileName))
        return false;
    FLastSaveName = fileName;
    return true;
}

void TQtHost::Beep() { QApplication::beep(); }

// ---------------------------------------------------------------- timers, pointer, keys

THostTimerId TQtHost::StartTimer(int intervalMs, std::function<void()> onTick)
{
    const THostTimerId id = ++FLastTimer;
    auto* timer = new QTimer;
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(onTick)] {
        // Nothing may leave a tick into Qt's event loop.
        Application->Protect(tick);
    });
    FTimers[id] = timer;
    timer->start();
    return id;
}

void TQtHost::KillTimer(THostTimerId id)
{
    auto found = FTimers.find(id);
    if (found == FTimers.end())
        return;
    // A timer may be killed from its own tick: it stops now and goes once the tick is over.
    found->second->stop();
    found->second->deleteLater();
    FTimers.erase(found);
}

TPoint TQtHost::CursorPos()
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

int16_t TQtHost::KeyState(int virtualKey)
{
    // The modifiers as the display has them now: what Qt remembers from our own input still
    // holds a modifier whose release was the last key event.
    return FKeys.State(virtualKey, QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}

// ---------------------------------------------------------------- event loop and services

void TQtHost::Run() { QApplication::exec(); }

// exit, not quit: quit would first ask every window to close, and closing asks the form.
void TQtHost::Quit() { QCoreApplication::exit(0); }

void TQtHost::OpenURL(const std::string& address) { LaunchDetached({"xdg-open", address}); }

unsigned long TQtHost::SendMail(const TMailRequest& mail) { return FMail.Send(mail); }
