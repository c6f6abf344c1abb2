#pragma once
// Reading bitmap files: the core (OS/2 1.x) header and the info header in every size up to V5;
// 1, 4, 8, 16, 24 and 32 bits per pixel; RLE8, RLE4 and bit-field masks; bottom-up and top-down
// rows; short palettes. The rows are converted while they are read, one at a time, and reduced
// straight away when a display size is given, so memory never follows the declared size.
// Anything inconsistent raises EInvalidGraphic "ビットマップイメージが不正です".
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/imaging/ByteSource.h"
#include "platform/imaging/PictureSize.h"

// Returns a pf24bit bitmap: the file's own size, or reduced by area averaging to fit within
// display (never enlarged).
std::unique_ptr<TBitmap> ReadBmp(TByteSource& source, TDisplaySize display = {});
std::unique_ptr<TBitmap> LoadBmpFromFile(const std::string& path, TDisplaySize display = {});

// The declared size of a bitmap file, read from its headers only (for callers that want to know
// before decoding). Raises like ReadBmp when the headers are not those of a bitmap.
struct TBmpInfo {
    int32_t Width = 0;
    int32_t Height = 0;
};
TBmpInfo ReadBmpInfo(TByteSource& source);

// Writes a bitmap as an uncompressed 24-bit bottom-up file with a 40-byte info header.
std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap);
void SaveBmpToFile(const TBitmap& bitmap, const std::string& path);
