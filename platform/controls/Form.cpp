#include "platform/controls/Form.h"

#include "platform/classes/FormDescription.h"
#include "platform/controls/Application.h"
#include "platform/controls/Host.h"
#include "platform/controls/Menus.h"
#include "platform/controls/ShellApi.h"

void RegisterStandardClasses();

namespace {

const std::vector<std::string> BorderStyleNames = {"bsNone",   "bsSingle",     "bsSizeable",
                                                   "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const std::vector<std::string> FormStyleNames = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};

TRect UnionRect(const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Never destroyed: forms still owned by the application object are freed during the program's
// exit, after a static list would already be gone.
std::vector<TForm*>& Forms()
{
    static auto* forms = new std::vector<TForm*>;
    return *forms;
}

}  // namespace

const std::vector<TForm*>& ScreenForms() { return Forms(); }

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled)
{
    const std::vector<TForm*>& forms = Forms();
    for (size_t i = forms.size(); i-- > 0;) {
        TForm* form = forms[i];
        if (!form->Showing())
            continue;
        const TPoint p = form->ScreenToClient(screenPos);
        if (!form->ClientRect().Contains(p))
            continue;
        TControl* c = form->ControlAtPos(p, allowDisabled);
        return c ? c : form;
    }
    return nullptr;
}

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info("TForm", &TWinControl::StaticClassInfo(), {
        EnumProp("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle, BorderStyleNames, bsSizeable),
        Inherited("Caption"),
        IntProp("ClientHeight", &TControl::ClientHeight, &TForm::SetClientHeight),
        IntProp("ClientWidth", &TControl::ClientWidth, &TForm::SetClientWidth),
        ColorProp("Color", &TControl::Color, &TControl::SetColor, clBtnFace).StoredIf(&TForm::IsColorStored),
        Inherited("Font"),
        EnumProp("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle, FormStyleNames, fsNormal),
        Inherited("PopupMenu"),
        BoolProp("Visible", &TControl::Visible, &TControl::SetVisible, false),
        Inherited("OnClick"),
        EventProp("OnClose", &TForm::OnClose),
        EventProp("OnCloseQuery", &TForm::OnCloseQuery),
        Inherited("OnDblClick"),
        EventProp("OnHide", &TForm::OnHide),
        EventProp("OnKeyDown", &TForm::OnKeyDown),
        EventProp("OnKeyPress", &TForm::OnKeyPress),
        EventProp("OnKeyUp", &TForm::OnKeyUp),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
        EventProp("OnPaint", &TForm::OnPaint),
        Inherited("OnResize"),
        EventProp("OnShow", &TForm::OnShow),
    }, Creates<TForm>);
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner), FCanvas(&FBackBuffer)
{
    RegisterStandardClasses();
    Forms().push_back(this);
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    SetDestroying();
    std::erase(Forms(), this);
    // The controls go first: they still reach this form while they leave it.
    DestroyComponents();
    while (ControlCount() > 0)
        RemoveControl(Controls(ControlCount() - 1));
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    if (THost* host = THost::Current())
        host->DestroyForm(this);
}

void TForm::LoadDescription(std::string_view text) { ReadFormDescription(this, text); }

// ---------------------------------------------------------------- window

void TForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const bool moved = left != Left() || top != Top();
    const bool sized = width != Width() || height != Height();
    if (!moved && !sized)
        return;
    TControl::SetBounds(left, top, width, height);
    if (sized) {
        FBackBuffer.SetSize(width, height);
        FCanvas.SetSurface(&FBackBuffer, {}, ClientRect());
        FInvalid = {};
        InvalidateRect(ClientRect());
    }
    if (!FHostMoving && FHostKnows)
        if (THost* host = THost::Current())
            host->FormChanged(this);
}

TPoint TForm::ClientOrigin() const { return {Left() + FFrameOffset.X, Top() + FFrameOffset.Y}; }

void TForm::SetBorderStyle(TFormBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    if (FHostKnows)
        if (THost* host = THost::Current())
            host->FormChanged(this);
}

void TForm::SetFormStyle(TFormStyle v)
{
    if (v == FFormStyle)
        return;
    FFormStyle = v;
    if (FHostKnows)
        if (THost* host = THost::Current())
            host->FormChanged(this);
}

void TForm::SyncHostVisibility()
{
    if (Loading() || Destroying())
        return;
    THost* host = THost::Current();
    if (Visible() && !FShown) {
        FShown = true;
        FHostKnows = true;
        InvalidateRect(ClientRect());
        if (host)
            host->ShowForm(this);
        if (OnShow)
            OnShow(this);
    } else if (!Visible() && FShown) {
        FShown = false;
        if (host)
            host->HideForm(this);
        if (OnHide)
            OnHide(this);
    }
}

void TForm::Loaded()
{
    TWinControl::Loaded();
    SyncHostVisibility();
}

void TForm::Close()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else
        Hide();
}

// ---------------------------------------------------------------- painting

void TForm::Invalidate() { InvalidateRect(ClientRect()); }

void TForm::Repaint()
{
    InvalidateRect(ClientRect());
    PaintPending();
}

void TForm::InvalidateRect(const TRect& area)
{
    if (Destroying())
        return;
    const TRect r = IntersectRect(area, ClientRect());
    if (r.IsEmpty())
        return;
    FInvalid = UnionRect(FInvalid, r);
    if (FShown)
        if (THost* host = THost::Current())
            host->InvalidateForm(this, r);
}

void TForm::PaintRect(const TRect& rect, TControl* from)
{
    if (Destroying())
        return;
    const TRect area = IntersectRect(rect, ClientRect());
    if (area.IsEmpty())
        return;
    size_t first = 0;
    if (from) {
        const int i = IndexOfControl(from);
        if (i < 0)
            return;
        first = static_cast<size_t>(i);
    } else {
        TCanvas background(&FBackBuffer, {}, area);
        background.Brush()->SetColor(Color());
        background.FillRect(area);
        FCanvas.SetSurface(&FBackBuffer, {}, area);
        try {
            Paint();
        } catch (...) {
            FCanvas.SetSurface(&FBackBuffer, {}, ClientRect());
            throw;
        }
        FCanvas.SetSurface(&FBackBuffer, {}, ClientRect());
    }
    for (size_t i = first; i < static_cast<size_t>(ControlCount()); ++i) {
        TControl* c = Controls(static_cast<int>(i));
        if (!c->Visible())
            continue;
        const TRect clip = IntersectRect(c->BoundsRect(), area);
        if (!clip.IsEmpty())
            c->PaintControl(&FBackBuffer, {c->Left(), c->Top()}, clip);
    }
    Present(area);
}

void TForm::PaintPending()
{
    if (FInvalid.IsEmpty())
        return;
    const TRect area = FInvalid;
    FInvalid = {};
    PaintRect(area, nullptr);
}

void TForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TForm::Present(const TRect& area)
{
    if (FShown)
        if (THost* host = THost::Current())
            host->PresentForm(this, area);
}

// ---------------------------------------------------------------- input

void TForm::Deliver(TControl* target, TMessage& message)
{
    Application->Protect([&] { target->WndProc(message); }, target);
}

void TForm::MouseMessage(uint32_t msg, TShiftState shift, int x, int y)
{
    // The capture takes every mouse message, wherever the pointer is; otherwise the topmost
    // enabled control under the pointer, otherwise the form itself.
    TControl* target = GetCaptureControl();
    if (!target)
        target = ControlAtPos({x, y}, false);
    if (!target)
        target = this;
    const TPoint p = target == this ? TPoint{x, y} : target->ScreenToClient(ClientToScreen({x, y}));
    TMessage m{msg, shift.Bits(), PointToParam(p), 0};
    Deliver(target, m);
}

void TForm::TrackMouseControl(int x, int y)
{
    // Disabled controls count here: the pointer is over them all the same.
    TControl* now = nullptr;
    if (ClientRect().Contains({x, y})) {
        now = ControlAtPos({x, y}, true);
        if (!now)
            now = this;
    }
    if (now == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = now;
    if (old) {
        TMessage m{CM_MOUSELEAVE, 0, 0, 0};
        Deliver(old, m);
    }
    // The leave handler may have moved things; send the enter only if it still stands.
    if (now && FMouseControl == now) {
        TMessage m{CM_MOUSEENTER, 0, 0, 0};
        Deliver(now, m);
    }
}

void TForm::HostMouseMove(TShiftState shift, int x, int y)
{
    MouseMessage(WM_MOUSEMOVE, shift, x, y);
    TrackMouseControl(x, y);
}

namespace {

uint32_t ButtonMessage(TMouseButton button, uint32_t left, uint32_t right, uint32_t middle)
{
    return button == mbLeft ? left : button == mbRight ? right : middle;
}

}  // namespace

void TForm::HostMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    MouseMessage(ButtonMessage(button, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN), shift, x, y);
    TrackMouseControl(x, y);
}

void TForm::HostMouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y)
{
    MouseMessage(ButtonMessage(button, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK), shift, x, y);
    TrackMouseControl(x, y);
}

void TForm::HostMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    MouseMessage(ButtonMessage(button, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP), shift, x, y);
    if (button == mbRight && ClientRect().Contains({x, y})) {
        // The release of the right button asks for the context menu of whatever lies under
        // the pointer; a control without a menu of its own passes the request to its parent.
        TControl* target = ControlAtPos({x, y}, false);
        if (!target)
            target = this;
        TMessage m{WM_CONTEXTMENU, 0, PointToParam(ClientToScreen({x, y})), 0};
        Deliver(target, m);
    }
    TrackMouseControl(x, y);
}

void TForm::HostMouseLeave()
{
    if (!FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = nullptr;
    TMessage m{CM_MOUSELEAVE, 0, 0, 0};
    Deliver(old, m);
}

void TForm::HostMouseWheel(TShiftState shift, int delta, int x, int y)
{
    TMessage m{WM_MOUSEWHEEL, static_cast<intptr_t>(shift.Bits()) | (static_cast<intptr_t>(delta) << 16),
               PointToParam(ClientToScreen({x, y})), 0};
    Deliver(this, m);
}

void TForm::HostKeyDown(uint16_t key, TShiftState shift)
{
    Application->Protect([&] {
        if (TPopupMenu* menu = PopupMenu(); menu && menu->IsShortCut(::ShortCut(key, shift)))
            return;
        Perform(WM_KEYDOWN, key, shift.Bits());
    }, this);
}

void TForm::HostKeyUp(uint16_t key, TShiftState shift)
{
    Application->Protect([&] { Perform(WM_KEYUP, key, shift.Bits()); }, this);
}

void TForm::HostKeyPress(char key)
{
    Application->Protect([&] {
        if (Perform(CM_DIALOGCHAR, static_cast<uint8_t>(key)) != 0)
            return;
        Perform(WM_CHAR, static_cast<uint8_t>(key));
    }, this);
}

bool TForm::HostDropFiles(const std::vector<std::string>& paths, TPoint point)
{
    if (!FAcceptsFiles)
        return false;
    HDROP drop = NewDropHandle(paths, point);
    TMessage m{WM_DROPFILES, reinterpret_cast<intptr_t>(drop), 0, 0};
    Deliver(this, m);
    // A handler that failed before releasing the handle leaves it to us.
    if (IsLiveDropHandle(drop))
        DragFinish(drop);
    return true;
}

void TForm::HostClose()
{
    Application->Protect([&] { Close(); }, this);
}

void TForm::HostPaint()
{
    Application->Protect([&] { PaintPending(); }, this);
}

void TForm::HostMoved(int32_t left, int32_t top)
{
    FHostMoving = true;
    SetBounds(left, top, Width(), Height());
    FHostMoving = false;
}

void TForm::HostFrameOffset(TPoint offset) { FFrameOffset = offset; }

// ---------------------------------------------------------------- messages and structure

void TForm::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_VISIBLECHANGED:
        TWinControl::Dispatch(m);
        SyncHostVisibility();
        break;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(m);
        if (FHostKnows)
            if (THost* host = THost::Current())
                host->FormChanged(this);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        const TShiftState shift = TShiftState::FromBits(static_cast<uint32_t>(m.LParam));
        const TKeyEvent& handler = m.Msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
        if (handler)
            handler(this, key, shift);
        break;
    }
    case WM_CHAR: {
        char key = static_cast<char>(m.WParam);
        if (OnKeyPress)
            OnKeyPress(this, key);
        break;
    }
    default:
        TWinControl::Dispatch(m);
    }
}

void TForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    TWinControl::GetChildren(proc, root);
    if (root != this)
        return;
    // Then what has no place among the controls: menus, dialogs, timers.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!dynamic_cast<TControl*>(c) && !c->HasParent())
            proc(c);
    }
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FMouseControl)
        FMouseControl = nullptr;
}
