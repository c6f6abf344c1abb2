#pragma once
// Plain libjpeg on both sides of our own code: JPEG files made from synthetic pixels, and decodes
// that the tests and benchmarks measure our decoder against.
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

struct TJpegRecipe {
    int Width = 16;
    int Height = 16;
    int Quality = 95;
    bool Progressive = false;
    // Input: JCS_RGB (Pixel gives 0x00RRGGBB), JCS_GRAYSCALE (low byte), JCS_CMYK (0xCCMMYYKK as stored).
    // PlainEncode also takes the extended layouts (JCS_EXT_BGRX and the like, four bytes a pixel).
    J_COLOR_SPACE Input = JCS_RGB;
    // Colour space in the file; JCS_UNKNOWN means libjpeg's default for the input.
    J_COLOR_SPACE Stored = JCS_UNKNOWN;
    bool AdobeMarker = true;  // for CMYK/YCCK
    std::function<uint32_t(int x, int y)> Pixel = [](int, int) { return 0x808080u; };
    bool Arithmetic = false;
    int RestartInterval = 0;  // in MCUs; 0 writes no restart markers
};

// Row y (top first) in the layout recipe.Input names; it must stay valid until the next call.
using TJpegRowSource = std::function<const uint8_t*(int y)>;

// Encodes the rows with libjpeg as the recipe says (its Pixel is not used), to a stdio file or to
// a block that jpeg_mem_dest allocates and the caller frees with std::free.
void PlainEncode(const TJpegRecipe& recipe, const TJpegRowSource& rows, FILE* file);
void PlainEncode(const TJpegRecipe& recipe, const TJpegRowSource& rows, unsigned char** buffer, unsigned long* size);

// The JPEG file of the recipe's pixels.
std::vector<uint8_t> MakeJpeg(const TJpegRecipe& recipe);

// What plain libjpeg finds in a file, and the rows it decodes.
struct TPlainDecoded {
    bool Valid = false;                 // false where libjpeg gave up on the bytes
    int Width = 0, Height = 0;          // as decoded, at the scale asked
    int Components = 0;                 // in the file
    bool Progressive = false;
    bool Jfif = false;
    std::vector<std::array<uint16_t, DCTSIZE2>> QuantTables;  // the file's tables up to the first empty slot
    std::vector<uint8_t> Pixels;        // RGB, row by row (left empty by PlainDecodeRows)
};

// Each decoded RGB row in turn, top first.
using TJpegRowSink = std::function<void(int y, const uint8_t* rgb)>;

// Decodes at scaleNum/8 to RGB, handing each row to `sink`. A file libjpeg rejects gives Valid false.
TPlainDecoded PlainDecodeRows(const uint8_t* data, size_t size, int scaleNum, const TJpegRowSink& sink);
// The same, keeping every pixel.
TPlainDecoded PlainDecode(const std::vector<uint8_t>& jpeg, int scaleNum = 8);

// The luminance and chrominance tables libjpeg makes for a quality.
std::array<std::array<uint16_t, DCTSIZE2>, 2> LibjpegQuantTables(int quality);
