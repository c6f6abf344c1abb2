#include "controls/ShineSpdBtn/ShineSpdBtn.h"

#include "controls/ShineSpdBtn/ShineDraw.h"
#include "controls/ShineSpdBtn/ShineGlyph.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/Menus.h"
#include "platform/controls/WinApi.h"
#include "platform/controls/WinControl.h"
#include "platform/text/DrawText.h"

namespace {

const std::vector<std::string> FrameTypeNames{"ftFlatFrame", "ftNormalFrame", "ftEnclosedFrame"};
const std::vector<std::string> ActiveImageNames{"aiNormal",     "aiXorLight",   "aiHalfLight",   "aiQuaterLight",
                                                "aiAddLight",   "aiFrameLight", "aiFrameLight2", "aiMaskLight"};
const std::vector<std::string> DisabledImageNames{"diDefault", "diGrayscale", "diAlphaHalfTrans", "diAlphaQuaterTrans",
                                                  "diMaskTrans"};
const std::vector<std::string> LayoutNames{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

constexpr unsigned HoverCheckInterval = 200;  // ms

} // namespace

const TClassInfo& TShineSpeedButton::StaticClassInfo()
{
    using B = TShineSpeedButton;
    // GroupIndex comes before Down, so that a stored Down of true is accepted on loading.
    static const TClassInfo info("TShineSpeedButton", &TGraphicControl::StaticClassInfo(), {
        IntProp("GroupIndex", &B::FGroupIndex, &B::SetGroupIndex, 0),
        BoolProp("Down", &B::FDown, &B::SetDown, false),
        BoolProp("ClickDownHook", &B::FClickDownHook, &B::SetClickDownHook, false),
        BoolProp("AccelCharDown", &B::FAccelCharDown, &B::SetAccelCharDown, false),
        EnumProp("FrameType", &B::FFrameType, &B::SetFrameType, FrameTypeNames, ftNormalFrame),
        BoolProp("Transparent", &B::FTransparent, &B::SetTransparent, false),
        BoolProp("ActiveFrame", &B::FActiveFrame, &B::SetActiveFrame, true),
        BoolProp("UpFrame", &B::FUpFrame, &B::SetUpFrame, true),
        BoolProp("DownFrame", &B::FDownFrame, &B::SetDownFrame, true),
        EnumProp("ActiveImage", &B::FActiveImage, &B::SetActiveImage, ActiveImageNames, aiFrameLight),
        EnumProp("DisabledImage", &B::FDisabledImage, &B::SetDisabledImage, DisabledImageNames, diDefault),
        ColorProp("DisabledHighlight", &B::FDisabledHighlight, &B::SetDisabledHighlight, clBtnHighlight),
        ColorProp("DisabledShadow", &B::FDisabledShadow, &B::SetDisabledShadow, clBtnShadow),
        ObjProp("Colors", &B::FColors, &B::SetColors),
        ObjProp("PressedColors", &B::FPressedColors, &B::SetPressedColors),
        ColorProp("ShineColor", &B::FShineColor, &B::SetShineColor, clYellow),
        FontProp("Font", &B::FFont, &B::SetFont),
        ColorProp("FontHighlight", &B::FFontHighlight, &B::SetFontHighlight, clNone),
        ColorProp("FontShadow", &B::FFontShadow, &B::SetFontShadow, clNone),
        FontProp("ActiveFont", &B::FActiveFont, &B::SetActiveFont),
        BoolProp("AllowAllUp", &B::FAllowAllUp, &B::SetAllowAllUp, false),
        EnumProp("Layout", &B::FLayout, &B::SetLayout, LayoutNames, blGlyphLeft),
        IntProp("Margin", &B::FMargin, &B::SetMargin, -1),
        IntProp("Spacing", &B::FSpacing, &B::SetSpacing, 4),
        BitmapProp("Glyph", &B::FGlyph, &B::SetGlyph),
        EventProp("OnMouseEnter", &B::OnMouseEnter),
        EventProp("OnMouseLeave", &B::OnMouseLeave),
        Inherited("Caption"),
        Inherited("Enabled"),
        Inherited("Height"),
        Inherited("Left"),
        Inherited("Tag"),
        Inherited("Top"),
        Inherited("Visible"),
        Inherited("Width"),
        Inherited("OnClick"),
        Inherited("OnDblClick"),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
    }, Creates<TShineSpeedButton>, TClassInfo::OwnFirst);
    return info;
}

// Registered by name for form descriptions as soon as the program starts.
[[maybe_unused]] static const TClassInfo& ShineSpeedButtonClass = TShineSpeedButton::StaticClassInfo();

TShineSpeedButton::TShineSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;

    // Each owned object gets its first value before its hook is connected, so it tells nobody.
    FColors = std::make_unique<TShineBtnColors>();
    FColors->SetColor(clBtnFace);
    FColors->OnChange = Bind(this, &TShineSpeedButton::FontsAndColorsOnChange);
    FPressedColors = std::make_unique<TShineBtnColors>();
    FPressedColors->SetColor(clBtnHighlight);
    FPressedColors->OnChange = Bind(this, &TShineSpeedButton::FontsAndColorsOnChange);
    FFont = std::make_unique<TFont>();
    FFont->SetColor(clBtnText);
    FFont->OnChange = Bind(this, &TShineSpeedButton::FontsAndColorsOnChange);
    FActiveFont = std::make_unique<TFont>();
    FActiveFont->SetColor(clHighlight);
    FActiveFont->OnChange = Bind(this, &TShineSpeedButton::FontsAndColorsOnChange);
    // The glyph's hook comes first: fixing its transparent colour already converts it.
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = Bind(this, &TShineSpeedButton::GlyphOnChange);
    FGlyph->SetTransparentColor(clOlive);

    SetBounds(Left(), Top(), 25, 25);
    SetCaption("");

    FActiveButtonTimer = std::make_unique<TTimer>(this);
    FActiveButtonTimer->SetInterval(HoverCheckInterval);
    FActiveButtonTimer->SetEnabled(false);
    FActiveButtonTimer->SetOnTimer(Bind(this, &TShineSpeedButton::ActiveButtonTimerOnTimer));
}

TShineSpeedButton::~TShineSpeedButton()
{
    FActiveButtonTimer.reset();
    FGlyph.reset();
    FColors.reset();
    FPressedColors.reset();
    FFont.reset();
    FActiveFont.reset();
}

void TShineSpeedButton::Loaded() { TGraphicControl::Loaded(); }

// ---------------------------------------------------------------- properties


void TShineSpeedButton::SetClickDownHook(bool value) { StoreAndInvalidate(FClickDownHook, value); }
void TShineSpeedButton::SetAccelCharDown(bool value) { StoreAndInvalidate(FAccelCharDown, value); }
void TShineSpeedButton::SetFrameType(TFrameType value) { StoreAndInvalidate(FFrameType, value); }
void TShineSpeedButton::SetActiveFrame(bool value) { StoreAndInvalidate(FActiveFrame, value); }
void TShineSpeedButton::SetUpFrame(bool value) { StoreAndInvalidate(FUpFrame, value); }
void TShineSpeedButton::SetDownFrame(bool value) { StoreAndInvalidate(FDownFrame, value); }
void TShineSpeedButton::SetActiveImage(TActiveImageType value) { StoreAndInvalidate(FActiveImage, value); }
void TShineSpeedButton::SetDisabledImage(TDisabledImageType value) { StoreAndInvalidate(FDisabledImage, value); }
void TShineSpeedButton::SetDisabledHighlight(TColor value) { StoreAndInvalidate(FDisabledHighlight, value); }
void TShineSpeedButton::SetDisabledShadow(TColor value) { StoreAndInvalidate(FDisabledShadow, value); }
void TShineSpeedButton::SetShineColor(TColor value) { StoreAndInvalidate(FShineColor, value); }
void TShineSpeedButton::SetFontHighlight(TColor value) { StoreAndInvalidate(FFontHighlight, value); }
void TShineSpeedButton::SetFontShadow(TColor value) { StoreAndInvalidate(FFontShadow, value); }
void TShineSpeedButton::SetLayout(TButtonLayout value) { StoreAndInvalidate(FLayout, value); }
void TShineSpeedButton::SetMargin(int32_t value) { StoreAndInvalidate(FMargin, value); }
void TShineSpeedButton::SetSpacing(int32_t value) { StoreAndInvalidate(FSpacing, value); }

void TShineSpeedButton::SetColors(TShineBtnColors* value) { FColors->Assign(value); }
void TShineSpeedButton::SetPressedColors(TShineBtnColors* value) { FPressedColors->Assign(value); }

void TShineSpeedButton::SetFont(TFont* value)
{
    if (!value)
        return;
    FFont->Assign(value);
    Invalidate();
}

void TShineSpeedButton::SetActiveFont(TFont* value)
{
    if (!value)
        return;
    FActiveFont->Assign(value);
    Invalidate();
}

void TShineSpeedButton::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    if (value)
        FControlStyle &= ~csOpaque;
    else
        FControlStyle |= csOpaque;
    Invalidate();
}

void TShineSpeedButton::SetGlyph(TBitmap* value)
{
    FGlyph->OnChange = nullptr;
    if (value)
        FGlyph->Assign(value);
    else
        FGlyph->SetSize(0, 0);
    FGlyph->OnChange = Bind(this, &TShineSpeedButton::GlyphOnChange);
    if (value)
        GlyphOnChange(FGlyph.get());
    Invalidate();
}

void TShineSpeedButton::GlyphOnChange(TObject*)
{
    // Each conversion that changes the bitmap notifies again and re-enters here with nothing
    // left to convert.
    FGlyph->SetHandleType(bmDIB);
    FGlyph->SetPixelFormat(pf32bit);
    Invalidate();
}

void TShineSpeedButton::FontsAndColorsOnChange(TObject*) { Invalidate(); }

// ---------------------------------------------------------------- painting

void TShineSpeedButton::Paint()
{
    if (!Enabled()) {
        FState = sbDisabled;
        FDragging = false;
    }
    if (FTransparent) {
        BackDraw(Canvas());
        ImageDraw(Canvas());
        FrameDraw(Canvas());
        return;
    }
    // Drawn off-screen and copied in one go.
    TBitmap buffer;
    buffer.SetHandleType(bmDDB);
    buffer.SetSize(Width(), Height());
    BackDraw(buffer.Canvas());
    ImageDraw(buffer.Canvas());
    FrameDraw(buffer.Canvas());
    Canvas()->Draw(0, 0, &buffer);
}

void TShineSpeedButton::BackDraw(TCanvas* canvas)
{
    if (FTransparent)
        return;
    DrawFace(*canvas, IsDownState(FState) ? *FPressedColors : *FColors, ClientRect());
}

std::unique_ptr<TBitmap> TShineSpeedButton::CreateStateGlyph() const
{
    return BuildStateGlyph({FGlyph.get(), FState, FActiveImage, FDisabledImage, FShineColor, FColors->Color()});
}

void TShineSpeedButton::CalcDrawPosition(TCanvas& canvas, TPoint& glyphPos, TRect& captionRect) const
{
    const TRect client = ClientRect();
    TRect measured{0, 0, client.Right - client.Left, 0};
    DrawTextA(canvas.Handle(), Caption().c_str(), static_cast<int>(Caption().size()), &measured, DT_CALCRECT);
    const TShineContent content{!FGlyph->Empty(), FGlyph->Width(),   FGlyph->Height(),
                                !Caption().empty(), measured.Width(), measured.Height()};
    const TShinePlacement placed = PlaceContent(content, {FLayout, FMargin, FSpacing, ClientWidth(), ClientHeight()});
    glyphPos = placed.GlyphPos;
    captionRect = placed.CaptionRect;
}

void TShineSpeedButton::ImageDraw(TCanvas* canvas)
{
    canvas->SetFont(IsActiveState(FState) ? FActiveFont.get() : FFont.get());
    const std::unique_ptr<TBitmap> glyph = CreateStateGlyph();
    TPoint glyphPos;
    TRect captionRect;
    CalcDrawPosition(*canvas, glyphPos, captionRect);
    const int32_t shift = IsDownState(FState) ? 1 : 0;  // the pressed look moves the content
    if (glyph) {
        glyphPos = {glyphPos.X + shift, glyphPos.Y + shift};
        if (FState == sbDisabled && FDisabledImage == diDefault) {
            DrawEtchedStencil(*canvas, *glyph, glyphPos, FDisabledHighlight, FDisabledShadow);
        } else {
            canvas->Brush()->SetStyle(bsClear);
            canvas->Draw(glyphPos.X, glyphPos.Y, glyph.get());
        }
    }
    if (!Caption().empty()) {
        OffsetRect(&captionRect, shift, shift);
        DrawCaption(*canvas, Caption(), captionRect,
                    {FState == sbDisabled, FDisabledHighlight, FDisabledShadow, FFontShadow, FFontHighlight});
    }
}

bool TShineSpeedButton::FrameShown() const
{
    switch (FState) {
    case sbActiveDown:
    case sbActiveUp: return FActiveFrame;
    case sbDown: return FDownFrame;
    case sbUp:
    case sbDisabled: return FUpFrame;
    }
    return false;
}

void TShineSpeedButton::FrameDraw(TCanvas* canvas)
{
    if (FrameShown())
        DrawFrame(*canvas, FFrameType, IsDownState(FState), *FColors, *FPressedColors, Width(), Height());
}

// ---------------------------------------------------------------- mouse and click

void TShineSpeedButton::SetState(TShineButtonState state)
{
    if (state == FState)
        return;
    FState = state;
    Invalidate();
}

void TShineSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseDown(button, shift, X, Y);
    if (button != mbLeft || !Enabled())
        return;
    FState = sbActiveDown;
    if (!FDown)
        Invalidate();
    FDragging = true;
}

void TShineSpeedButton::MouseMove(TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseMove(shift, X, Y);
    if (FDragging)
        SetState(Inside(X, Y) ? sbActiveDown : FDown ? sbDown : sbUp);
    else if (!FMouseInControl)
        UpdateTracking();
}

void TShineSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int X, int Y)
{
    TGraphicControl::MouseUp(button, shift, X, Y);
    if (!FDragging)
        return;
    const bool inside = Inside(X, Y);
    if (FGroupIndex == 0) {
        FState = sbUp;
        FMouseInControl = false;
        FDown = false;
        if (inside)
            Repaint();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        FState = FDown ? sbActiveDown : sbActiveUp;
        Repaint();
    }
    FDragging = false;
    if (inside)
        Click();
    UpdateTracking();
}

void TShineSpeedButton::Click()
{
    const TShineButtonState before = FState;
    if (FClickDownHook) {
        FState = sbActiveDown;
        Repaint();  // the pressed look shows while the handler runs
    }
    TGraphicControl::Click();
    if (FClickDownHook) {
        FState = before;
        Repaint();
    }
}

// ---------------------------------------------------------------- groups

void TShineSpeedButton::SetDown(bool value)
{
    if (value == FDown || FGroupIndex == 0)
        return;
    if (!FAllowAllUp && FDown)
        return;  // raised only when another button of the group goes down
    FDown = value;
    GroupUpdateStatus(FGroupIndex);
    FState = FDown ? sbDown : sbUp;
    Repaint();
}

void TShineSpeedButton::SetGroupIndex(int32_t value)
{
    if (value != FGroupIndex)
        GroupUpdateStatus(value);
}

void TShineSpeedButton::SetAllowAllUp(bool value)
{
    if (value == FAllowAllUp)
        return;
    FAllowAllUp = value;
    GroupUpdateStatus(FGroupIndex);
}

void TShineSpeedButton::GroupUpdateStatus(int32_t index)
{
    FGroupIndex = index;
    if (index == 0 || !Parent())
        return;
    // The announcement goes out through a platform speed button, so that the platform's own
    // speed buttons of the group follow too; receivers read Down and AllowAllUp from it and
    // this button knows it as its own. It is hidden, so it is never painted or hit.
    std::unique_ptr<TSpeedButton> sender = std::make_unique<TSpeedButton>(Parent());
    sender->SetVisible(false);
    FBroadcastButton = sender.get();
    struct Reset {
        TSpeedButton*& field;
        ~Reset() { field = nullptr; }
    } reset{FBroadcastButton};
    sender->SetParent(Parent());
    sender->SetGroupIndex(FGroupIndex);
    sender->SetAllowAllUp(FAllowAllUp);
    sender->SetDown(FDown);
    TMessage message{CM_BUTTONPRESSED, index, reinterpret_cast<intptr_t>(sender.get()), 0};
    Parent()->Broadcast(message);
    sender->SetParent(nullptr);
}

void TShineSpeedButton::CMButtonPressed(TMessage& message)
{
    if (message.WParam != FGroupIndex)
        return;
    auto* sender = reinterpret_cast<TSpeedButton*>(message.LParam);
    if (!sender || sender == FBroadcastButton)
        return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = sbUp;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

// ---------------------------------------------------------------- hover

TShiftState GetShiftState()
{
    struct KeyFlag {
        int key;
        TShiftFlag flag;
    };
    static constexpr KeyFlag keys[] = {{VK_LBUTTON, ssLeft},  {VK_RBUTTON, ssRight},   {VK_MBUTTON, ssMiddle},
                                       {VK_SHIFT, ssShift},   {VK_CONTROL, ssCtrl},    {VK_MENU, ssAlt}};
    TShiftState shift;
    for (const KeyFlag& k : keys)
        if (GetKeyState(k.key) < 0)  // the top bit: down
            shift << k.flag;
    return shift;
}

TPoint TShineSpeedButton::PointerInClient() const
{
    TPoint screen;
    GetCursorPos(&screen);
    return ScreenToClient(screen);
}

void TShineSpeedButton::CMMouseEnter(TMessage&)
{
    const TPoint p = PointerInClient();
    MouseEnter(GetShiftState(), p.X, p.Y);
}

void TShineSpeedButton::CMMouseLeave(TMessage&)
{
    const TPoint p = PointerInClient();
    MouseLeave(GetShiftState(), p.X, p.Y);
}

void TShineSpeedButton::MouseEnter(TShiftState shift, int X, int Y)
{
    if (OnMouseEnter)
        OnMouseEnter(this, shift, X, Y);
    if (FMouseInControl || !Enabled() || DragMode() == dmAutomatic || GetCapture())
        return;
    StartHover();
}

void TShineSpeedButton::MouseLeave(TShiftState shift, int X, int Y)
{
    if (OnMouseLeave)
        OnMouseLeave(this, shift, X, Y);
    if (!FMouseInControl || !Enabled() || FDragging)
        return;
    EndHover();
}

void TShineSpeedButton::StartHover()
{
    FMouseInControl = true;
    if (FState == sbUp)
        FState = sbActiveUp;
    else if (FState == sbDown)
        FState = sbActiveDown;
    Repaint();
    FActiveButtonTimer->SetEnabled(true);
}

void TShineSpeedButton::EndHover()
{
    FActiveButtonTimer->SetEnabled(false);
    FMouseInControl = false;
    if (FState == sbActiveUp)
        FState = sbUp;
    else if (FState == sbActiveDown)
        FState = sbDown;
    Repaint();
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*)
{
    if (!FMouseInControl || !Enabled() || FDragging) {
        FActiveButtonTimer->SetEnabled(false);
        return;
    }
    const TPoint p = PointerInClient();
    if (!Inside(p.X, p.Y))
        MouseLeave(GetShiftState(), p.X, p.Y);
}

namespace {

// Whether the control under the pointer, disabled ones included, is this one.
bool PointerOver(const TControl& control)
{
    const TWinControl* parent = control.Parent();
    if (!parent || !parent->Showing())
        return false;
    TPoint screen;
    GetCursorPos(&screen);
    const TPoint p = parent->ScreenToClient(screen);
    if (!parent->ClientRect().Contains(p))
        return false;
    return parent->ControlAtPos(p, true) == &control;
}

} // namespace

void TShineSpeedButton::UpdateTracking()
{
    if (!Enabled())
        return;
    const bool over = PointerOver(*this);
    // The opposite of the truth, so that the notice below passes the guard of MouseEnter or
    // MouseLeave.
    FMouseInControl = !over;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

// ---------------------------------------------------------------- messages

void TShineSpeedButton::WMLButtonDblClick(TMessage& message)
{
    TGraphicControl::Dispatch(message);  // capture and MouseDown with ssDouble
    if (FDown)
        DblClick();
}

void TShineSpeedButton::CMDialogChar(TMessage& message)
{
    const bool accel = IsAccel(static_cast<char>(message.WParam), Caption());
    if (accel && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        if (FAccelCharDown)
            SetDown(!FDown);
        Click();
        message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(message);
}

void TShineSpeedButton::CMEnabledChanged(TMessage&)
{
    FDown = false;  // the group is not told
    FState = Enabled() ? sbUp : sbDisabled;
    UpdateTracking();
    Invalidate();
}

void TShineSpeedButton::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDBLCLK: WMLButtonDblClick(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE: Invalidate(); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_BUTTONPRESSED: CMButtonPressed(message); break;
    default: TGraphicControl::Dispatch(message); break;
    }
}
