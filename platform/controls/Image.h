#pragma once
// TImage: shows a picture, at its own size or (Stretch) scaled to fill the control.
#include <memory>

#include "platform/controls/GraphicControl.h"
#include "platform/imaging/Picture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPicture* Picture() const { return FPicture.get(); }
    // Copies the picture's graphic (nullptr empties it).
    void SetPicture(TPicture* picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Sizes the control to the picture whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);

    // The picture's bitmap canvas: an empty picture first gets a bitmap of the control's size
    // (in the display's format). A picture holding something else than a bitmap raises
    // EInvalidOperation.
    TCanvas* Canvas();

    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Paint() override;

private:
    void PictureChanged(TObject* sender);
    TRect DestRect() const;

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// An operation that does not fit the object's present state.
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
