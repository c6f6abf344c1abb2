#include "platform/imaging/Picture.h"

#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/core/Files.h"
#include "platform/imaging/BmpReader.h"

namespace {

std::unique_ptr<TGraphic> CopyOf(TGraphic* graphic)
{
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TBitmap*>(graphic))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<TJPEGImage*>(graphic))
        copy = std::make_unique<TJPEGImage>();
    else
        ThrowAssignError(graphic->ClassName(), "TPicture");
    copy->Assign(graphic);
    return copy;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture()
{
    // The graphic's notification points back here; nothing may reach it while it is freed.
    if (FGraphic)
        FGraphic->OnChange = nullptr;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Replace(std::unique_ptr<TGraphic> graphic)
{
    if (FGraphic)
        FGraphic->OnChange = nullptr;
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (graphic == FGraphic.get() && graphic)
        return;
    Replace(graphic ? CopyOf(graphic) : nullptr);
}

TBitmap* TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        return bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    if (FGraphic)
        bitmap->Assign(FGraphic.get());
    TBitmap* result = bitmap.get();
    Replace(std::move(bitmap));
    return result;
}

void TPicture::LoadFromFile(const std::string& path)
{
    std::string ext = ExtractFileExt(path);
    std::unique_ptr<TGraphic> loaded;
    if (SameTextAscii(ext, ".bmp")) {
        loaded = LoadBmpFromFile(path, FDisplaySize);
    } else if (SameTextAscii(ext, ".jpg") || SameTextAscii(ext, ".jpeg")) {
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->SetDisplaySize(FDisplaySize);
        jpeg->LoadFromFile(path);
        loaded = std::move(jpeg);
    } else {
        if (!ext.empty())
            ext.erase(0, 1);
        throw EInvalidGraphic(Format(Sjis("不明な拡張子のピクチャ ファイルです (.%s)"), {Utf8ToCp932(ext)}));
    }
    Replace(std::move(loaded));
}

void TPicture::SaveToFile(const std::string& path) const
{
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(FGraphic.get()))
        jpeg->SaveToFile(path);
    else if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        SaveBmpToFile(*bitmap, path);
}

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest)
{
    if (auto* graphic = dynamic_cast<TGraphic*>(dest); graphic && FGraphic) {
        graphic->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(dest);
}
