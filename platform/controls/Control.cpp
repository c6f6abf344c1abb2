#include "platform/controls/Control.h"

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"
#include "platform/controls/WinControl.h"
#include "platform/core/Cp932.h"

namespace {

TControl* GCaptureControl = nullptr;

const std::vector<std::string> DragModeNames = {"dmManual", "dmAutomatic"};

}  // namespace

TControl* GetCaptureControl() { return GCaptureControl; }
void SetCaptureControl(TControl* control) { GCaptureControl = control; }

TForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

const TClassInfo& TControl::StaticClassInfo()
{
    // Declared here, published by the descendants that show them.
    static const TClassInfo info("TControl", &TComponent::StaticClassInfo(), {
        IntProp("Left", &TControl::Left, &TControl::SetLeft),
        IntProp("Top", &TControl::Top, &TControl::SetTop),
        IntProp("Width", &TControl::Width, &TControl::SetWidth).Unpublished(),
        IntProp("Height", &TControl::Height, &TControl::SetHeight).Unpublished(),
        StrProp("Caption", &TControl::Caption, &TControl::SetCaption).Unpublished(),
        ColorProp("Color", &TControl::Color, &TControl::SetColor, clWindow).StoredIf(&TControl::IsColorStored).Unpublished(),
        EnumProp("DragMode", &TControl::DragMode, &TControl::SetDragMode, DragModeNames, dmManual).Unpublished(),
        BoolProp("Enabled", &TControl::Enabled, &TControl::SetEnabled, true).Unpublished(),
        FontProp("Font", &TControl::Font, &TControl::SetFont).StoredIf(&TControl::IsFontStored).Unpublished(),
        BoolProp("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true).Unpublished(),
        BoolProp("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true).Unpublished(),
        ComponentProp("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu).Unpublished(),
        BoolProp("Visible", &TControl::Visible, &TControl::SetVisible, true).Unpublished(),
        EventProp("OnClick", &TControl::OnClick).Unpublished(),
        EventProp("OnDblClick", &TControl::OnDblClick).Unpublished(),
        EventProp("OnMouseDown", &TControl::OnMouseDown).Unpublished(),
        EventProp("OnMouseMove", &TControl::OnMouseMove).Unpublished(),
        EventProp("OnMouseUp", &TControl::OnMouseUp).Unpublished(),
        EventProp("OnResize", &TControl::OnResize).Unpublished(),
    });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = Bind(this, &TControl::FontChanged);
}

TControl::~TControl()
{
    if (GCaptureControl == this)
        GCaptureControl = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
}

// ---------------------------------------------------------------- geometry

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    InvalidateControl(FVisible);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    if (OnResize)
        OnResize(this);
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

// ---------------------------------------------------------------- parent and properties

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw Exception(Sjis("コントロールは自分自身を親にすることはできません"));
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    FVisible = v;
    Perform(CM_VISIBLECHANGED, v, 0);
}

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetCaption(const std::string& text)
{
    if (text == FText)
        return;
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor v)
{
    if (v == FColor)
        return;
    FColor = v;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v)
{
    if (v == FParentColor)
        return;
    FParentColor = v;
    if (FParent && !(ComponentState() & csReading))
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* font)
{
    if (font)
        FFont->Assign(font);
}

void TControl::SetParentFont(bool v)
{
    if (v == FParentFont)
        return;
    FParentFont = v;
    if (FParent && !(ComponentState() & csReading))
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == FPopupMenu)
        return;
    FPopupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::SetName(const std::string& name)
{
    // A control whose caption is still its name follows a new name (not while loading).
    const bool follow = (FControlStyle & csSetCaption) && !Loading() && FText == Name();
    TComponent::SetName(name);
    if (follow)
        SetCaption(name);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* p = dynamic_cast<TWinControl*>(parent))
        SetParent(p);
}

bool TControl::MouseCapture() const { return GCaptureControl == this; }

void TControl::SetMouseCapture(bool v)
{
    if (v)
        GCaptureControl = this;
    else if (GCaptureControl == this)
        GCaptureControl = nullptr;
}

// ---------------------------------------------------------------- painting

void TControl::InvalidateControl(bool isVisible)
{
    if (isVisible && FParent)
        FParent->InvalidateRect(BoundsRect());
}

void TControl::Invalidate() { InvalidateControl(FVisible); }

void TControl::Repaint()
{
    if (!FVisible || !FParent)
        return;
    if (FControlStyle & csOpaque) {
        // It covers its rectangle, so only it and what lies above it need painting.
        FParent->PaintRect(BoundsRect(), this);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::Update()
{
    if (FParent)
        FParent->PaintPending();
}

void TControl::PaintControl(TBitmap*, TPoint, const TRect&) {}

void TControl::BringToFront()
{
    if (FParent)
        FParent->SetChildOrder(this, FParent->ControlCount() - 1);
}

void TControl::SendToBack()
{
    if (FParent)
        FParent->SetChildOrder(this, 0);
}

// ---------------------------------------------------------------- messages

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m)
{
    if (!(FControlStyle & csDoubleClicks)) {
        switch (m.Msg) {
        case WM_LBUTTONDBLCLK: m.Msg = WM_LBUTTONDOWN; break;
        case WM_RBUTTONDBLCLK: m.Msg = WM_RBUTTONDOWN; break;
        case WM_MBUTTONDBLCLK: m.Msg = WM_MBUTTONDOWN; break;
        default: break;
        }
    }
    Dispatch(m);
}

void TControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_RBUTTONDOWN: WMButtonDown(m, mbRight, false); break;
    case WM_RBUTTONDBLCLK: WMButtonDown(m, mbRight, true); break;
    case WM_RBUTTONUP: WMButtonUp(m, mbRight); break;
    case WM_MBUTTONDOWN: WMButtonDown(m, mbMiddle, false); break;
    case WM_MBUTTONDBLCLK: WMButtonDown(m, mbMiddle, true); break;
    case WM_MBUTTONUP: WMButtonUp(m, mbMiddle); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_COLORCHANGED: CMColorChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CM_HITTEST: CMHitTest(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); break;
    default: DefaultHandler(m); break;
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::WMMouseMove(TMessage& m)
{
    if (FControlStyle & csNoStdEvents)
        return;
    const TPoint p = MousePos(m);
    MouseMove(TShiftState::FromBits(static_cast<uint32_t>(m.WParam)), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (FControlStyle & csClickEvents)
        FControlState |= csClicked;
    WMButtonDown(m, mbLeft, false);
}

void TControl::WMLButtonDblClk(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (FControlStyle & csClickEvents)
        DblClick();
    WMButtonDown(m, mbLeft, true);
}

void TControl::WMLButtonUp(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(false);
    if (FControlState & csClicked) {
        FControlState &= ~csClicked;
        if (ClientRect().Contains(MousePos(m)))
            Click();
    }
    WMButtonUp(m, mbLeft);
}

void TControl::WMButtonDown(TMessage& m, TMouseButton button, bool doubleClick)
{
    if (FControlStyle & csNoStdEvents)
        return;
    TShiftState shift = TShiftState::FromBits(static_cast<uint32_t>(m.WParam));
    if (doubleClick)
        shift << ssDouble;
    const TPoint p = MousePos(m);
    MouseDown(button, shift, p.X, p.Y);
}

void TControl::WMButtonUp(TMessage& m, TMouseButton button)
{
    if (FControlStyle & csNoStdEvents)
        return;
    const TPoint p = MousePos(m);
    MouseUp(button, TShiftState::FromBits(static_cast<uint32_t>(m.WParam)), p.X, p.Y);
}

void TControl::WMContextMenu(TMessage& m)
{
    // The control's own popup menu, else its parent's, up to the form's.
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        const TPoint p = ParamToPoint(m.LParam);
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(p.X, p.Y);
        m.Result = 1;
        return;
    }
    if (FParent)
        m.Result = FParent->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage&)
{
    if (FParentColor && FParent) {
        SetColor(FParent->Color());
        FParentColor = true;
    }
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (FParentFont && FParent) {
        SetFont(FParent->Font());
        FParentFont = true;
    }
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }

void TControl::CMMouseEnter(TMessage& m)
{
    if (FParent && m.LParam == 0)
        FParent->Perform(CM_MOUSEENTER, 0, reinterpret_cast<intptr_t>(this));
}

void TControl::CMMouseLeave(TMessage& m)
{
    if (FParent && m.LParam == 0)
        FParent->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<intptr_t>(this));
}

void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

// ---------------------------------------------------------------- events

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, X, Y);
}

void TControl::MouseMove(TShiftState shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, X, Y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, X, Y);
}
