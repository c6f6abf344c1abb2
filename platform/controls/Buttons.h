#pragma once
// TSpeedButton: a tool-bar button without a window. With a nonzero GroupIndex it latches down,
// and the buttons of one parent sharing that index keep at most one of them down: each one
// announces its state to the parent's controls (CM_BUTTONPRESSED, with itself as the sender).
#include "platform/controls/GraphicControl.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t v);
    // Can only be true while GroupIndex is nonzero; the down button of a group without
    // AllowAllUp comes up only when another one goes down.
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TButtonState State() const { return FState; }

    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int X, int Y) override;
    void MouseMove(TShiftState shift, int X, int Y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int X, int Y) override;
    void Paint() override;
    void Dispatch(TMessage& message) override;

private:
    // Tells the parent's controls this button's group state.
    void UpdateExclusive();

    int32_t FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FDragging = false;
    TButtonState FState = bsUp;
};
