#pragma once
// TShineSpeedButton: a windowless tool-bar button with two colour sets, a gradient face, three
// frame styles, an active look while the pointer is over it (ended by a 200 ms pointer check
// when no leave notice comes), latching groups, and glyph images derived for each state.
#include <memory>
#include <string>

#include "controls/ShineSpdBtn/ShineBtnColors.h"
#include "controls/ShineSpdBtn/ShineTypes.h"
#include "platform/controls/GraphicControl.h"
#include "platform/controls/Timer.h"
#include "platform/graphics/Bitmap.h"

class TSpeedButton;

class TShineSpeedButton : public TGraphicControl {
public:
    explicit TShineSpeedButton(TComponent* owner);
    ~TShineSpeedButton() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // ---- Published properties ----
    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t value);
    // Only while GroupIndex is nonzero; the down button of a group without AllowAllUp comes up
    // only when another one goes down.
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool ClickDownHook() const { return FClickDownHook; }
    void SetClickDownHook(bool value);
    bool AccelCharDown() const { return FAccelCharDown; }
    void SetAccelCharDown(bool value);
    TFrameType FrameType() const { return FFrameType; }
    void SetFrameType(TFrameType value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ActiveFrame() const { return FActiveFrame; }
    void SetActiveFrame(bool value);
    bool UpFrame() const { return FUpFrame; }
    void SetUpFrame(bool value);
    bool DownFrame() const { return FDownFrame; }
    void SetDownFrame(bool value);
    TActiveImageType ActiveImage() const { return FActiveImage; }
    void SetActiveImage(TActiveImageType value);
    TDisabledImageType DisabledImage() const { return FDisabledImage; }
    void SetDisabledImage(TDisabledImageType value);
    TColor DisabledHighlight() const { return FDisabledHighlight; }
    void SetDisabledHighlight(TColor value);
    TColor DisabledShadow() const { return FDisabledShadow; }
    void SetDisabledShadow(TColor value);
    // The two colour sets: up, active-up and disabled looks; the two down looks. Setting copies.
    TShineBtnColors* Colors() const { return FColors.get(); }
    void SetColors(TShineBtnColors* value);
    TShineBtnColors* PressedColors() const { return FPressedColors.get(); }
    void SetPressedColors(TShineBtnColors* value);
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor value);
    // The button's own caption fonts (the base control's font is not used). Setting copies;
    // nullptr is ignored.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);
    TColor FontHighlight() const { return FFontHighlight; }
    void SetFontHighlight(TColor value);
    TColor FontShadow() const { return FFontShadow; }
    void SetFontShadow(TColor value);
    TFont* ActiveFont() const { return FActiveFont.get(); }
    void SetActiveFont(TFont* value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int32_t Margin() const { return FMargin; }
    void SetMargin(int32_t value);
    int32_t Spacing() const { return FSpacing; }
    void SetSpacing(int32_t value);
    // Kept as a 32-bit device-independent bitmap whatever reaches it. Setting copies; nullptr
    // empties it.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseLeave;

    // ---- The look to paint and what it follows ----
    TShineButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    bool Dragging() const { return FDragging; }
    TTimer* ActiveButtonTimer() const { return FActiveButtonTimer.get(); }

    // ---- Painting ----
    void Paint() override;
    // The glyph for the current state, or null without a glyph.
    std::unique_ptr<TBitmap> CreateStateGlyph() const;
    // Where glyph and caption go, measured with the canvas's current font.
    void CalcDrawPosition(TCanvas& canvas, TPoint& glyphPos, TRect& captionRect) const;
    void BackDraw(TCanvas* canvas);
    void ImageDraw(TCanvas* canvas);
    void FrameDraw(TCanvas* canvas);

    // ---- Input ----
    void MouseDown(TMouseButton button, TShiftState shift, int X, int Y) override;
    void MouseMove(TShiftState shift, int X, int Y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int X, int Y) override;
    void Click() override;
    // The pointer reported over / off the button: raise the event, switch the active look.
    virtual void MouseEnter(TShiftState shift, int X, int Y);
    virtual void MouseLeave(TShiftState shift, int X, int Y);
    // Sends the button the enter or leave notice that fits the pointer's real position.
    void UpdateTracking();
    // Stores the group index and tells the parent's buttons of that group this one's Down and
    // AllowAllUp.
    void GroupUpdateStatus(int32_t index);

    void Dispatch(TMessage& message) override;
    void Loaded() override;

private:
    void SetState(TShineButtonState state);
    bool Inside(int X, int Y) const { return ClientRect().Contains({X, Y}); }
    bool FrameShown() const;
    TPoint PointerInClient() const;
    void StartHover();
    void EndHover();

    void GlyphOnChange(TObject* sender);
    void FontsAndColorsOnChange(TObject* sender);
    void ActiveButtonTimerOnTimer(TObject* sender);

    void WMLButtonDblClick(TMessage& message);
    void CMDialogChar(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void CMButtonPressed(TMessage& message);

    bool FDown = false;
    TFrameType FFrameType = ftNormalFrame;
    bool FAllowAllUp = false;
    bool FClickDownHook = false;
    bool FAccelCharDown = false;
    int32_t FGroupIndex = 0;
    TButtonLayout FLayout = blGlyphLeft;
    int32_t FMargin = -1;
    int32_t FSpacing = 4;
    bool FTransparent = false;
    bool FActiveFrame = true;
    bool FUpFrame = true;
    bool FDownFrame = true;
    TActiveImageType FActiveImage = aiFrameLight;
    TDisabledImageType FDisabledImage = diDefault;
    TColor FDisabledShadow = clBtnShadow;
    TColor FDisabledHighlight = clBtnHighlight;
    std::unique_ptr<TShineBtnColors> FColors;
    std::unique_ptr<TShineBtnColors> FPressedColors;
    TColor FShineColor = clYellow;
    std::unique_ptr<TFont> FFont;
    TColor FFontHighlight = clNone;
    TColor FFontShadow = clNone;
    std::unique_ptr<TFont> FActiveFont;
    std::unique_ptr<TBitmap> FGlyph;
    bool FMouseInControl = false;
    bool FDragging = false;
    TShineButtonState FState = sbUp;
    TSpeedButton* FBroadcastButton = nullptr;  // only during GroupUpdateStatus
    std::unique_ptr<TTimer> FActiveButtonTimer;
};

// The modifier keys and mouse buttons held now, as the system reports them (never ssDouble).
TShiftState GetShiftState();
