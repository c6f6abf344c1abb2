#pragma once
// A picture that can draw itself scaled into a rectangle of a canvas: a bitmap, or (platform/imaging)
// a JPEG image.
#include <cstdint>

#include "platform/core/Persistent.h"
#include "platform/core/Types.h"

class TCanvas;

class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Draws the picture scaled to fill rect.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
};
