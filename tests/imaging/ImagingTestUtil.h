#pragma once
// Small builders for the picture tests: bitmap files byte by byte, JPEG files through libjpeg,
// a scratch folder, and a watch on the largest single allocation.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/graphics/Bitmap.h"

// ---- bitmap files

struct TBmpSpec {
    uint32_t InfoSize = 40;  // 12, 40, 52, 56, 108, 124
    int32_t Width = 0;
    int32_t Height = 0;      // negative: rows stored top-down
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t ClrUsed = 0;
    std::vector<uint32_t> Masks;    // red, green, blue (alpha): after a 40-byte header, else inside it
    std::vector<uint32_t> Palette;  // 0x00RRGGBB entries, 3 or 4 bytes each as the header asks
    std::vector<uint8_t> Data;      // the bits as stored
    int64_t OffsetDelta = 0;        // added to the correct offset of the bits
};
std::vector<uint8_t> BuildBmp(const TBmpSpec& spec);

// Stores rows of values (top row first), each `bits` wide, padded to 4 bytes, in the file's order.
// Values are palette indices for 1 to 8 bits, the raw 16- or 32-bit pixel, or 0x00RRGGBB for 24.
std::vector<uint8_t> StoreRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown);

// ---- JPEG files

struct TJpegSpec {
    int Width = 16;
    int Height = 16;
    int Quality = 95;
    bool Progressive = false;
    // Input: JCS_RGB (Pixel gives 0x00RRGGBB), JCS_GRAYSCALE (low byte), JCS_CMYK (0xCCMMYYKK as stored).
    J_COLOR_SPACE Input = JCS_RGB;
    // Colour space in the file; JCS_UNKNOWN means libjpeg's default for the input.
    J_COLOR_SPACE Stored = JCS_UNKNOWN;
    bool AdobeMarker = true;  // for CMYK/YCCK
    std::function<uint32_t(int x, int y)> Pixel = [](int, int) { return 0x808080u; };
    bool Arithmetic = false;
};
std::vector<uint8_t> MakeJpeg(const TJpegSpec& spec);

// A plain libjpeg decode (the reference the tests compare against).
struct TPlainDecoded {
    int Width = 0, Height = 0, Components = 0;
    bool Progressive = false;
    std::vector<uint8_t> Pixels;  // RGB
};
TPlainDecoded PlainDecode(const std::vector<uint8_t>& jpeg, int scaleNum = 8);

// ---- files

// A fresh folder under the build folder, removed with everything in it at destruction.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    std::string Path(const std::string& name) const { return FPath + "/" + name; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::string FPath;
};
std::vector<uint8_t> ReadAll(const std::string& path);

// ---- memory

// The largest single block requested through operator new while the watch is alive.
class TAllocationWatch {
public:
    TAllocationWatch();
    ~TAllocationWatch();
    size_t Largest() const;
};

// Largest channel difference between two 0x00RRGGBB values.
int ChannelDistance(uint32_t a, uint32_t b);
