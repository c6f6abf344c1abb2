#include "platform/host/HeadlessHost.h"

#include <algorithm>
#include <stdexcept>

#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/WinApi.h"

THeadlessHost::THeadlessHost() : FPrevious(THost::Current()) { THost::SetCurrent(this); }

THeadlessHost::~THeadlessHost()
{
    Application->Shutdown();
    if (THost::Current() == this)
        THost::SetCurrent(FPrevious);
}

TForm* THeadlessHost::Target() const
{
    if (FTarget)
        return FTarget;
    if (ShownForms.empty())
        throw std::logic_error("no form is shown to take the input");
    return ShownForms.back();
}

TShiftState THeadlessHost::Shift() const
{
    auto down = [this](int vk) {
        auto it = FKeys.find(vk);
        return it != FKeys.end() && it->second;
    };
    TShiftState s;
    if (down(VK_SHIFT))
        s << ssShift;
    if (down(VK_MENU))
        s << ssAlt;
    if (down(VK_CONTROL))
        s << ssCtrl;
    if (down(VK_LBUTTON))
        s << ssLeft;
    if (down(VK_RBUTTON))
        s << ssRight;
    if (down(VK_MBUTTON))
        s << ssMiddle;
    return s;
}

void THeadlessHost::SetKeyDown(int virtualKey, bool down) { FKeys[virtualKey] = down; }

int16_t THeadlessHost::KeyState(int virtualKey)
{
    auto it = FKeys.find(virtualKey);
    return it != FKeys.end() && it->second ? static_cast<int16_t>(0x8000) : 0;
}

void THeadlessHost::Place(TForm* form, int x, int y) { FCursor = form->ClientToScreen({x, y}); }

namespace {

int ButtonKey(TMouseButton button) { return button == mbLeft ? VK_LBUTTON : button == mbRight ? VK_RBUTTON : VK_MBUTTON; }

}  // namespace

void THeadlessHost::MoveTo(int x, int y)
{
    TForm* form = Target();
    Place(form, x, y);
    form->HostMouseMove(Shift(), x, y);
    ProcessPaints();
}

void THeadlessHost::Press(int x, int y, TMouseButton button)
{
    TForm* form = Target();
    Place(form, x, y);
    FKeys[ButtonKey(button)] = true;
    form->HostMouseDown(button, Shift(), x, y);
    ProcessPaints();
}

void THeadlessHost::Release(int x, int y, TMouseButton button)
{
    TForm* form = Target();
    Place(form, x, y);
    FKeys[ButtonKey(button)] = false;
    form->HostMouseUp(button, Shift(), x, y);
    ProcessPaints();
}

void THeadlessHost::Click(int x, int y, TMouseButton button)
{
    Press(x, y, button);
    Release(x, y, button);
}

void THeadlessHost::DoubleClick(int x, int y, TMouseButton button)
{
    Click(x, y, button);
    TForm* form = Target();
    Place(form, x, y);
    FKeys[ButtonKey(button)] = true;
    form->HostMouseDoubleClick(button, Shift(), x, y);
    ProcessPaints();
    Release(x, y, button);
}

void THeadlessHost::Leave()
{
    Target()->HostMouseLeave();
    ProcessPaints();
}

void THeadlessHost::Wheel(int x, int y, int delta)
{
    TForm* form = Target();
    Place(form, x, y);
    form->HostMouseWheel(Shift(), delta, x, y);
    ProcessPaints();
}

void THeadlessHost::KeyDown(uint16_t virtualKey, TShiftState modifiers)
{
    if (modifiers.Contains(ssShift))
        FKeys[VK_SHIFT] = true;
    if (modifiers.Contains(ssCtrl))
        FKeys[VK_CONTROL] = true;
    if (modifiers.Contains(ssAlt))
        FKeys[VK_MENU] = true;
    FKeys[virtualKey] = true;
    Target()->HostKeyDown(virtualKey, Shift());
    ProcessPaints();
}

void THeadlessHost::KeyUp(uint16_t virtualKey, TShiftState modifiers)
{
    FKeys[virtualKey] = false;
    Target()->HostKeyUp(virtualKey, Shift());
    if (modifiers.Contains(ssShift))
        FKeys[VK_SHIFT] = false;
    if (modifiers.Contains(ssCtrl))
        FKeys[VK_CONTROL] = false;
    if (modifiers.Contains(ssAlt))
        FKeys[VK_MENU] = false;
    ProcessPaints();
}

void THeadlessHost::Key(uint16_t virtualKey, TShiftState modifiers)
{
    KeyDown(virtualKey, modifiers);
    // Letters, digits and space type a character unless Ctrl or Alt is held.
    const bool typing = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9') ||
                        virtualKey == VK_SPACE;
    if (typing && !modifiers.Contains(ssCtrl) && !modifiers.Contains(ssAlt)) {
        char ch = static_cast<char>(virtualKey);
        if (ch >= 'A' && ch <= 'Z' && !modifiers.Contains(ssShift))
            ch = static_cast<char>(ch - 'A' + 'a');
        Char(ch);
    }
    KeyUp(virtualKey, modifiers);
}

void THeadlessHost::Char(char ch)
{
    Target()->HostKeyPress(ch);
    ProcessPaints();
}

bool THeadlessHost::DropFiles(const std::vector<std::string>& paths)
{
    TForm* form = Target();
    const TPoint p = form->ScreenToClient(FCursor);
    return DropFiles(paths, p.X, p.Y);
}

bool THeadlessHost::DropFiles(const std::vector<std::string>& paths, int x, int y)
{
    // A drag over the window reports no pointer moves to it; only the drop arrives.
    const bool accepted = Target()->HostDropFiles(paths, {x, y});
    ProcessPaints();
    return accepted;
}

void THeadlessHost::CloseTarget()
{
    Target()->HostClose();
    ProcessPaints();
}

void THeadlessHost::ProcessPaints()
{
    const std::vector<TForm*> forms = ShownForms;
    for (TForm* form : forms)
        if (std::find(ShownForms.begin(), ShownForms.end(), form) != ShownForms.end())
            form->HostPaint();
}

uint32_t THeadlessHost::Pixel(int x, int y) const { return Target()->BackBuffer()->PixelRGB(x, y); }

void THeadlessHost::Advance(int milliseconds)
{
    const int64_t end = FNow + std::max(milliseconds, 0);
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= end && (next == FTimers.end() || it->second.Due < next->second.Due))
                next = it;
        if (next == FTimers.end())
            break;
        FNow = next->second.Due;
        next->second.Due += next->second.Interval;
        // The tick may kill this timer (or any other): call a copy.
        std::function<void()> tick = next->second.Tick;
        tick();
        ProcessPaints();
    }
    FNow = end;
}

int THeadlessHost::RunningTimers() const { return static_cast<int>(FTimers.size()); }

THostTimerId THeadlessHost::StartTimer(int intervalMs, std::function<void()> onTick)
{
    const int interval = std::max(intervalMs, 1);
    const THostTimerId id = FNextTimer++;
    FTimers[id] = {interval, FNow + interval, std::move(onTick)};
    return id;
}

void THeadlessHost::KillTimer(THostTimerId id) { FTimers.erase(id); }

void THeadlessHost::ShowForm(TForm* form)
{
    if (std::find(ShownForms.begin(), ShownForms.end(), form) == ShownForms.end())
        ShownForms.push_back(form);
    form->HostFrameOffset(FrameOffset);
}

void THeadlessHost::HideForm(TForm* form) { std::erase(ShownForms, form); }

void THeadlessHost::FormChanged(TForm*) {}

void THeadlessHost::InvalidateForm(TForm*, const TRect&) { ++Invalidations; }

void THeadlessHost::PresentForm(TForm*, const TRect&) { ++Presents; }

void THeadlessHost::DestroyForm(TForm* form)
{
    std::erase(ShownForms, form);
    if (FTarget == form)
        FTarget = nullptr;
}

TMenuItem* THeadlessHost::PopupMenu(TForm* form, TPopupMenu* menu, TPoint clientPos)
{
    Popups.push_back({form, menu, clientPos});
    if (OnPopupMenu)
        return OnPopupMenu(form, menu, clientPos);
    if (PopupChoices.empty())
        return nullptr;
    TMenuItem* item = PopupChoices.front();
    PopupChoices.pop_front();
    return item;
}

TModalResult THeadlessHost::MessageBox(const std::string& text, const std::string& caption, TMsgKind kind,
                                       TMsgButtons buttons)
{
    MessageBoxes.push_back({text, caption, kind, buttons});
    if (OnMessageBox)
        return OnMessageBox(text, caption, kind, buttons);
    if (MessageBoxAnswers.empty())
        return buttons == TMsgButtons::Ok ? TModalResult::Ok : TModalResult::None;
    const TModalResult answer = MessageBoxAnswers.front();
    MessageBoxAnswers.pop_front();
    return answer;
}

bool THeadlessHost::SaveDialog(const TSaveDialogRequest& request, std::string& fileName)
{
    SaveDialogs.push_back(request);
    if (SaveDialogAnswers.empty())
        return false;
    const std::optional<std::string> answer = SaveDialogAnswers.front();
    SaveDialogAnswers.pop_front();
    if (!answer)
        return false;
    fileName = *answer;
    return true;
}

unsigned long THeadlessHost::SendMail(const TMailRequest& mail)
{
    Mails.push_back(mail);
    if (OnSendMail)
        return OnSendMail(mail);
    if (MailResults.empty())
        return 0;
    const unsigned long result = MailResults.front();
    MailResults.pop_front();
    return result;
}

void THeadlessHost::Run()
{
    // Nothing comes from outside: the test feeds the events. Paint what is pending and return.
    Running = true;
    ProcessPaints();
    Running = false;
}

void THeadlessHost::Quit() { QuitCalled = true; }
