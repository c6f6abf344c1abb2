#include "platform/controls/GraphicControl.h"

#include "platform/controls/Form.h"

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info("TGraphicControl", &TControl::StaticClassInfo(), {
        Inherited("Width"),
        Inherited("Height"),
    });
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TCanvas>(nullptr, TPoint{}, TRect{}))
{
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas()
{
    if (FPainting)
        return FCanvas.get();
    TForm* form = GetParentForm(this);
    if (!form) {
        FCanvas->SetSurface(nullptr, {}, {});
        return FCanvas.get();
    }
    // The control's place on the form's client area.
    const TPoint screen = ClientOrigin();
    const TPoint client = form->ClientOrigin();
    const TPoint origin{screen.X - client.X, screen.Y - client.Y};
    FCanvas->SetSurface(form->BackBuffer(), origin, Bounds(origin.X, origin.Y, Width(), Height()));
    return FCanvas.get();
}

void TGraphicControl::PaintControl(TBitmap* surface, TPoint origin, const TRect& clip)
{
    FCanvas->SetSurface(surface, origin, clip);
    FPainting = true;
    try {
        Paint();
    } catch (...) {
        FPainting = false;
        throw;
    }
    FPainting = false;
}
