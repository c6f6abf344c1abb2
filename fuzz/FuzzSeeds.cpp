// Writes the seed corpora of the fuzz targets: small bitmap files of every kind the reader knows
// and small JPEG files of every kind libjpeg writes.
//   fuzz_seeds <folder>   ->  <folder>/bmp/*, <folder>/jpeg/*
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tests/support/JpegFiles.h"
#include "tests/support/PictureBytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A bitmap file: headers, masks after a 40-byte header, palette, then the bits as given.
Bytes Bmp(uint32_t infoSize, int32_t w, int32_t h, uint16_t bits, uint32_t compression, const std::vector<uint32_t>& masks,
          const std::vector<uint32_t>& palette, const Bytes& data)
{
    TBmpRecipe s;
    s.InfoSize = infoSize;
    s.Width = w;
    s.Height = h;
    s.Bits = bits;
    s.Compression = compression;
    s.ClrUsed = static_cast<uint32_t>(palette.size());
    s.Masks = masks;
    s.Palette = palette;
    s.Data = data;
    s.StoreFileSize = true;
    return BuildBmp(s);
}

// Uncompressed bits of a w x h pattern at the given depth, rows padded to 4 bytes.
Bytes Pattern(int32_t w, int32_t h, int bits)
{
    Bytes out;
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    for (int32_t y = 0; y < h; ++y)
        for (size_t i = 0; i < stride; ++i)
            out.push_back(static_cast<uint8_t>((y * 37 + i * 11) ^ (i >> 2)));
    return out;
}

// A JPEG file of a byte ramp: byte i of row y (all channels in a row) is i * 7 + y * 13.
Bytes Jpeg(int w, int h, J_COLOR_SPACE in, J_COLOR_SPACE stored, bool progressive, bool arithmetic, int restart,
           int quality)
{
    const int components = in == JCS_GRAYSCALE ? 1 : in == JCS_CMYK ? 4 : 3;
    TJpegRecipe recipe{w, h, quality, progressive, in, stored};
    recipe.Pixel = [components](int x, int y) {
        uint32_t p = 0;
        for (int k = 0; k < components; ++k)
            p = p << 8 | static_cast<uint8_t>((x * components + k) * 7 + y * 13);
        return p;
    };
    recipe.Arithmetic = arithmetic;
    recipe.RestartInterval = restart;
    return MakeJpeg(recipe);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "bmp");
    std::filesystem::create_directories(root / "jpeg");

    const std::vector<uint32_t> pal4 = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF};
    const std::vector<uint32_t> pal2 = {0xFF0000, 0x0000FF};
    WriteAll(root / "bmp/core1", Bmp(12, 9, 3, 1, 0, {}, pal2, Pattern(9, 3, 1)));
    WriteAll(root / "bmp/core4", Bmp(12, 5, 3, 4, 0, {}, pal4, Pattern(5, 3, 4)));
    WriteAll(root / "bmp/core24", Bmp(12, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    WriteAll(root / "bmp/info1", Bmp(40, 9, 3, 1, 0, {}, pal2, Pattern(9, 3, 1)));
    WriteAll(root / "bmp/info8", Bmp(40, 5, 3, 8, 0, {}, pal4, Pattern(5, 3, 8)));
    WriteAll(root / "bmp/topdown8", Bmp(40, 5, -3, 8, 0, {}, pal4, Pattern(5, 3, 8)));
    WriteAll(root / "bmp/rgb555", Bmp(40, 5, 3, 16, 0, {}, {}, Pattern(5, 3, 16)));
    WriteAll(root / "bmp/bitfields565", Bmp(40, 5, 3, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, Pattern(5, 3, 16)));
    WriteAll(root / "bmp/info24", Bmp(40, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    WriteAll(root / "bmp/rgb32", Bmp(40, 5, 3, 32, 0, {}, {}, Pattern(5, 3, 32)));
    WriteAll(root / "bmp/v4bitfields32", Bmp(108, 5, 3, 32, 3, {0xFF00, 0xFF0000, 0xFF000000}, {}, Pattern(5, 3, 32)));
    WriteAll(root / "bmp/v5rgb24", Bmp(124, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    WriteAll(root / "bmp/alpha56", Bmp(56, 5, 3, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {}, Pattern(5, 3, 32)));
    WriteAll(root / "bmp/rle8", Bmp(40, 5, 3, 8, 1, {}, pal4,
                                {0, 3, 2, 3, 0, 0, 1, 1, 1, 2, 0, 0, 1, 1, 0, 4, 2, 3, 0, 1, 0, 0, 0, 2, 1, 0, 0, 3, 1, 2, 3, 0,
                                 1, 0, 0, 1}));
    WriteAll(root / "bmp/rle8delta", Bmp(40, 5, 3, 8, 1, {}, pal4, {2, 2, 0, 2, 1, 2, 1, 3, 0, 1}));
    WriteAll(root / "bmp/rle4", Bmp(40, 5, 3, 4, 2, {}, pal4,
                                {5, 0x23, 0, 0, 0, 5, 0x12, 0x30, 0x10, 0, 0, 0, 3, 0x11, 2, 0x30, 0, 1}));

    WriteAll(root / "jpeg/baseline420", Jpeg(33, 17, JCS_RGB, JCS_UNKNOWN, false, false, 0, 80));
    WriteAll(root / "jpeg/progressive", Jpeg(33, 17, JCS_RGB, JCS_UNKNOWN, true, false, 0, 80));
    WriteAll(root / "jpeg/grey", Jpeg(16, 16, JCS_GRAYSCALE, JCS_UNKNOWN, false, false, 0, 75));
    WriteAll(root / "jpeg/greyprogressive", Jpeg(16, 16, JCS_GRAYSCALE, JCS_UNKNOWN, true, false, 0, 75));
    WriteAll(root / "jpeg/rgb444", Jpeg(16, 8, JCS_RGB, JCS_RGB, false, false, 0, 90));
    WriteAll(root / "jpeg/cmyk", Jpeg(16, 8, JCS_CMYK, JCS_CMYK, false, false, 0, 90));
    WriteAll(root / "jpeg/ycck", Jpeg(16, 8, JCS_CMYK, JCS_YCCK, false, false, 0, 90));
    WriteAll(root / "jpeg/arithmetic", Jpeg(24, 16, JCS_RGB, JCS_UNKNOWN, false, true, 0, 80));
    WriteAll(root / "jpeg/arithprogressive", Jpeg(24, 16, JCS_RGB, JCS_UNKNOWN, true, true, 0, 80));
    WriteAll(root / "jpeg/restarts", Jpeg(48, 32, JCS_RGB, JCS_UNKNOWN, false, false, 1, 80));
    return 0;
}
