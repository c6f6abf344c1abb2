#include "platform/controls/Buttons.h"

#include "platform/controls/Menus.h"
#include "platform/controls/WinControl.h"
#include "platform/text/DrawText.h"

const TClassInfo& TSpeedButton::StaticClassInfo()
{
    // GroupIndex comes before Down: a stored Down is only accepted once the group is known.
    static const TClassInfo info("TSpeedButton", &TGraphicControl::StaticClassInfo(), {
        BoolProp("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false),
        IntProp("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0),
        BoolProp("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false),
        Inherited("Caption"),
        Inherited("Enabled"),
        BoolProp("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false),
        Inherited("Font"),
        Inherited("ParentFont"),
        Inherited("PopupMenu"),
        Inherited("Visible"),
        Inherited("OnClick"),
        Inherited("OnDblClick"),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
    }, Creates<TSpeedButton>);
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle = csCaptureMouse | csDoubleClicks;
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

void TSpeedButton::SetGroupIndex(int32_t v)
{
    if (v == FGroupIndex)
        return;
    FGroupIndex = v;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool v)
{
    if (FGroupIndex == 0)
        v = false;
    if (v == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = v;
    if (v) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TSpeedButton::SetAllowAllUp(bool v)
{
    if (v == FAllowAllUp)
        return;
    FAllowAllUp = v;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool v)
{
    StoreAndInvalidate(FFlat, v);
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage m{CM_BUTTONPRESSED, FGroupIndex, reinterpret_cast<intptr_t>(this), 0};
    Parent()->Broadcast(m);
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseDown(button, shift, X, Y);
    if (button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseMove(shift, X, Y);
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (ClientRect().Contains({X, Y}))
        state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseUp(button, shift, X, Y);
    if (!FDragging)
        return;
    FDragging = false;
    const bool inside = ClientRect().Contains({X, Y});
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        if (FDown)
            FState = bsExclusive;
        Repaint();
    }
    if (inside)
        Click();
}

void TSpeedButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_BUTTONPRESSED:
        if (m.WParam == FGroupIndex) {
            auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
            if (sender && sender != this) {
                if (sender->Down() && FDown) {
                    FDown = false;
                    FState = bsUp;
                    Invalidate();
                }
                FAllowAllUp = sender->AllowAllUp();
            }
        }
        break;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::Dispatch(m);
        if (FDown)
            DblClick();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<char>(m.WParam), Caption()) && Enabled() && Visible() && Parent() &&
            Parent()->Showing()) {
            Click();
            m.Result = 1;
        } else {
            TGraphicControl::Dispatch(m);
        }
        break;
    case CM_ENABLEDCHANGED:
        FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
        Invalidate();
        break;
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        Invalidate();
        break;
    default:
        TGraphicControl::Dispatch(m);
    }
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect r = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (!FFlat || pressed) {
        canvas.Pen()->SetStyle(psSolid);
        canvas.Pen()->SetWidth(1);
        canvas.Pen()->SetColor(pressed ? clBtnShadow : clBtnHighlight);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen()->SetColor(pressed ? clBtnHighlight : cl3DDkShadow);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
    }
    TRect text = r;
    if (pressed)
        OffsetRect(&text, 1, 1);
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    const std::string& caption = Caption();
    const uint32_t flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (FState == bsDisabled) {
        TRect shadow = text;
        OffsetRect(&shadow, 1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawTextA(&canvas, caption.c_str(), static_cast<int>(caption.size()), &shadow, flags);
        canvas.Font()->SetColor(clBtnShadow);
    }
    DrawTextA(&canvas, caption.c_str(), static_cast<int>(caption.size()), &text, flags);
}
