#include "platform/controls/Image.h"

#include "platform/core/Cp932.h"

const TClassInfo& TImage::StaticClassInfo()
{
    static const TClassInfo info("TImage", &TGraphicControl::StaticClassInfo(), {
        BoolProp("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false),
        BoolProp("Center", &TImage::Center, &TImage::SetCenter, false),
        Inherited("DragMode"),
        Inherited("Enabled"),
        Inherited("PopupMenu"),
        BoolProp("Stretch", &TImage::Stretch, &TImage::SetStretch, false),
        BoolProp("Transparent", &TImage::Transparent, &TImage::SetTransparent, false),
        Inherited("Visible"),
        Inherited("OnClick"),
        Inherited("OnDblClick"),
        Inherited("OnMouseDown"),
        Inherited("OnMouseMove"),
        Inherited("OnMouseUp"),
    }, Creates<TImage>);
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    FControlStyle |= csReplicatable;
    FPicture->OnChange = [this](TObject* sender) { PictureChanged(sender); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    FPicture->OnChange = nullptr;
}

void TImage::SetPicture(TPicture* picture)
{
    if (picture)
        FPicture->Assign(picture);
    else
        FPicture->SetGraphic(nullptr);
}

void TImage::SetStretch(bool v)
{
    if (v == FStretch)
        return;
    FStretch = v;
    // A stretched picture is only ever drawn at the control's size, so loading may keep it at
    // that size; one drawn at its own size must keep all of it.
    FPicture->SetDisplaySize(FStretch ? Width() : 0, FStretch ? Height() : 0);
    Invalidate();
}

void TImage::SetCenter(bool v)
{
    StoreAndInvalidate(FCenter, v);
}

void TImage::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    if (TGraphic* g = FPicture->Graphic())
        g->SetTransparent(v);
    Invalidate();
}

void TImage::SetAutoSize(bool v)
{
    if (v == FAutoSize)
        return;
    FAutoSize = v;
    if (v && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

void TImage::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    TGraphicControl::SetBounds(left, top, width, height);
    if (FStretch)
        FPicture->SetDisplaySize(Width(), Height());
}

TCanvas* TImage::Canvas()
{
    if (!FPicture->Graphic()) {
        TBitmap bitmap(Width(), Height());
        FPicture->SetGraphic(&bitmap);
    }
    auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
    if (!bitmap)
        throw EInvalidOperation(Sjis("ビットマップを含んでいるイメージだけが変更可能です"));
    return bitmap->Canvas();
}

void TImage::PictureChanged(TObject*)
{
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (TGraphic* g = FPicture->Graphic(); g && g->Transparent() != FTransparent)
        g->SetTransparent(FTransparent);
    Invalidate();
}

TRect TImage::DestRect() const
{
    if (FStretch)
        return ClientRect();
    TRect r{0, 0, FPicture->Width(), FPicture->Height()};
    if (FCenter)
        OffsetRect(&r, (Width() - r.Right) / 2, (Height() - r.Bottom) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}
