#pragma once
// A picture holding nothing, a bitmap or a JPEG image, as a picture control shows it.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Persistent.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"
#include "platform/imaging/JPEGImage.h"
#include "platform/imaging/PictureSize.h"

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    std::string ClassName() const override { return "TPicture"; }

    // The held graphic; nullptr when the picture is empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of the graphic (a new object of its class); nullptr empties the picture.
    void SetGraphic(TGraphic* graphic);
    // The held graphic as a bitmap: a JPEG image is turned into a bitmap of its pixels, an empty
    // picture gets an empty bitmap.
    TBitmap* Bitmap();

    int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The size the picture will be drawn at; loading keeps a large picture reduced to it.
    // Takes effect at the next LoadFromFile.
    void SetDisplaySize(int32_t width, int32_t height) { FDisplaySize = {width, height}; }
    TDisplaySize DisplaySize() const { return FDisplaySize; }

    // Loads a ".bmp" as a bitmap and a ".jpg" or ".jpeg" as a JPEG image (any letter case). The
    // previous graphic is replaced only once the whole file has been read. Another extension
    // raises EInvalidGraphic "不明な拡張子のピクチャ ファイルです (.%s)".
    void LoadFromFile(const std::string& path);
    // Writes the held graphic: a JPEG image as JPEG, a bitmap as a 24-bit bitmap file. Nothing
    // for an empty picture.
    void SaveToFile(const std::string& path) const;

    // From another picture, a graphic (SetGraphic) or nullptr (empties the picture).
    void Assign(TPersistent* source) override;

    // Raised after every change of the held graphic: a new graphic, or the graphic changing.
    TNotifyEvent OnChange;

protected:
    // Into a graphic: the held graphic is assigned to it.
    void AssignTo(TPersistent* dest) override;

private:
    void Replace(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
    TDisplaySize FDisplaySize;
};
