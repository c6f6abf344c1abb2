#pragma once
// A JPEG picture on libjpeg. Loading decodes the file at once into pixels (reduced for the display
// size when one is given); the compressed data is not kept. Assigning a bitmap keeps its pixels
// uncompressed until the picture is written, and writing compresses them with libjpeg's defaults:
// baseline, 4:2:0, standard tables, JFIF, at CompressionQuality.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"
#include "platform/imaging/ByteSource.h"
#include "platform/imaging/PictureSize.h"

// A decoder or encoder failure: "JPEG エラー #%d" with libjpeg's message number.
class EJPEG : public EInvalidGraphic {
public:
    EJPEG(int code);
    int Code;
};

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    TJPEGImage(const TJPEGImage&) = delete;
    TJPEGImage& operator=(const TJPEGImage&) = delete;

    std::string ClassName() const override { return "TJPEGImage"; }
    // From another JPEG image or from a bitmap (copied as it is, compressed only when written).
    void Assign(TPersistent* source) override;

    int32_t Width() const override;
    int32_t Height() const override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

    // 1 to 100; the default is 90.
    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int quality);

    // The size the next load keeps the picture at (see TDisplaySize); none by default.
    void SetDisplaySize(TDisplaySize size) { FDisplaySize = size; }
    TDisplaySize DisplaySize() const { return FDisplaySize; }

    // Decodes the whole file; the previous picture stays when decoding fails. Raises EFOpenError
    // for a file that cannot be opened and EJPEG for data libjpeg rejects, including data that
    // ends before the picture does.
    void LoadFromFile(const std::string& path);
    void LoadFromStream(TByteSource& source);

    // Compresses the picture. SaveToFile raises EFCreateError when the file cannot be created and
    // EWriteError when it cannot be written completely.
    void SaveToStream(std::vector<uint8_t>& out) const;
    void SaveToFile(const std::string& path) const;

    // The decoded pixels (24 bits per pixel after a load); an empty bitmap when there is no picture.
    TBitmap* Bitmap();
    const TBitmap* Bitmap() const { return FBitmap.get(); }

protected:
    // Into a bitmap: the decoded pixels.
    void AssignTo(TPersistent* dest) override;

private:
    void SetPixels(std::unique_ptr<TBitmap> bitmap);

    std::unique_ptr<TBitmap> FBitmap;
    int FQuality = 90;
    TDisplaySize FDisplaySize;
};

// Decodes JPEG data into a pf24bit bitmap at its own size or reduced to fit `display`: libjpeg
// decodes at the smallest scale M/8 that still covers the display size, then the rows are
// averaged down. Raises EJPEG.
std::unique_ptr<TBitmap> DecodeJpeg(TByteSource& source, TDisplaySize display = {});

// The frame size declared in a JPEG header (no pixels decoded). Raises EJPEG.
struct TJpegInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    int Components = 0;
    bool Progressive = false;
};
TJpegInfo ReadJpegInfo(TByteSource& source);

// Compresses a bitmap (any pixel format; converted to 24 bits) with libjpeg's defaults at the
// given quality. Raises EJPEG.
std::vector<uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality);
