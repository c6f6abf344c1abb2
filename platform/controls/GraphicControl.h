#pragma once
// TGraphicControl: a control without a window of its own. Its form paints it onto the form's
// back buffer, in stacking order, through a canvas whose origin is the control's top-left
// corner and whose drawing stays inside the control's rectangle.
#include <memory>

#include "platform/controls/Control.h"
#include "platform/graphics/Canvas.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The drawing surface: during Paint the part being painted; outside it the control's
    // rectangle on the back buffer (nothing at all while the control is on no form).
    TCanvas* Canvas();

    // Draws the control; the base draws nothing.
    virtual void Paint() {}

    void PaintControl(TBitmap* surface, TPoint origin, const TRect& clip) override;

private:
    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
};
