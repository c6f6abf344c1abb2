#include "platform/controls/WinControl.h"

#include <algorithm>

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info("TWinControl", &TControl::StaticClassInfo(), {});
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { FControlStyle |= csAcceptsControls; }

TWinControl::~TWinControl()
{
    // Controls owned elsewhere stay alive; they only lose their parent.
    while (!FControls.empty())
        RemoveControl(FControls.back());
}

int TWinControl::IndexOfControl(const TControl* control) const
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->FParent == this)
        return;
    if (control->FParent)
        control->FParent->RemoveControl(control);
    FControls.push_back(control);
    control->FParent = this;
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    const int i = IndexOfControl(control);
    if (i < 0)
        return;
    control->Invalidate();
    FControls.erase(FControls.begin() + i);
    control->FParent = nullptr;
    if (GetCaptureControl() == control)
        SetCaptureControl(nullptr);
    Notification(control, opRemove);
}

void TWinControl::SetChildOrder(TControl* control, int order)
{
    const int i = IndexOfControl(control);
    if (i < 0)
        return;
    order = std::clamp(order, 0, ControlCount() - 1);
    if (order == i)
        return;
    FControls.erase(FControls.begin() + i);
    FControls.insert(FControls.begin() + order, control);
    control->Invalidate();
}

void TWinControl::Broadcast(TMessage& message)
{
    // The list may change while a control handles the message; walk it by index.
    for (size_t i = 0; i < FControls.size(); ++i) {
        FControls[i]->WndProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(uint32_t msg)
{
    for (size_t i = 0; i < FControls.size(); ++i)
        FControls[i]->Perform(msg);
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled) const
{
    for (size_t i = FControls.size(); i-- > 0;) {
        TControl* c = FControls[i];
        if (!c->Visible() || !(c->Enabled() || allowDisabled) || !c->BoundsRect().Contains(pos))
            continue;
        if (c->Perform(CM_HITTEST, 0, PointToParam({pos.X - c->Left(), pos.Y - c->Top()})) != 0)
            return c;
    }
    return nullptr;
}

bool TWinControl::Showing() const { return Visible() && (!Parent() || Parent()->Showing()); }

void TWinControl::InvalidateRect(const TRect& area)
{
    if (Visible() && Parent()) {
        TRect r = area;
        OffsetRect(&r, Left(), Top());
        Parent()->InvalidateRect(r);
    }
}

void TWinControl::PaintRect(const TRect& area, TControl*)
{
    // A plain container has nothing of its own to draw into; its form repaints the area.
    InvalidateRect(area);
    PaintPending();
}

void TWinControl::PaintPending()
{
    if (Parent())
        Parent()->PaintPending();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (size_t i = 0; i < FControls.size(); ++i)
        if (FControls[i]->Owner() == root)
            proc(FControls[i]);
}

void TWinControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        Broadcast(m);
        break;
    case CM_FONTCHANGED:
        TControl::Dispatch(m);
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    case CM_COLORCHANGED:
        TControl::Dispatch(m);
        NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    case CM_SYSCOLORCHANGE:
        TControl::Dispatch(m);
        NotifyControls(CM_SYSCOLORCHANGE);
        break;
    default:
        TControl::Dispatch(m);
    }
}

void TWinControl::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    for (TControl* c : FControls)
        if (c == component) {
            RemoveControl(c);
            return;
        }
}
