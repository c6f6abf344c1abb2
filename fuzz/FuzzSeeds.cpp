// Writes the seed corpora of the fuzz targets: small bitmap files of every kind the reader knows
// and small JPEG files of every kind libjpeg writes.
//   fuzz_seeds <folder>   ->  <folder>/bmp/*, <folder>/jpeg/*
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

void Save(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A bitmap file: headers, masks after a 40-byte header, palette, then the bits as given.
Bytes Bmp(uint32_t infoSize, int32_t w, int32_t h, uint16_t bits, uint32_t compression, const std::vector<uint32_t>& masks,
          const std::vector<uint32_t>& palette, const Bytes& data)
{
    const bool core = infoSize == 12;
    const bool masksAfter = infoSize == 40 && !masks.empty();
    const uint32_t offset = 14 + infoSize + (masksAfter ? 4 * masks.size() : 0) + (core ? 3 : 4) * palette.size();
    Bytes b{'B', 'M'};
    Put32(b, offset + data.size());
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, infoSize);
    if (core) {
        Put16(b, w);
        Put16(b, h);
        Put16(b, 1);
        Put16(b, bits);
    } else {
        Put32(b, w);
        Put32(b, h);
        Put16(b, 1);
        Put16(b, bits);
        Put32(b, compression);
        Put32(b, data.size());
        Put32(b, 2835);
        Put32(b, 2835);
        Put32(b, palette.size());
        Put32(b, 0);
        for (size_t i = 0; infoSize > 40 && i < masks.size(); ++i)
            Put32(b, masks[i]);
        b.resize(14 + infoSize, 0);
        if (masksAfter)
            for (uint32_t m : masks)
                Put32(b, m);
    }
    for (uint32_t c : palette) {
        b.push_back(c & 0xFF);
        b.push_back((c >> 8) & 0xFF);
        b.push_back((c >> 16) & 0xFF);
        if (!core)
            b.push_back(0);
    }
    b.insert(b.end(), data.begin(), data.end());
    return b;
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

Bytes Jpeg(int w, int h, J_COLOR_SPACE in, J_COLOR_SPACE stored, bool progressive, bool arithmetic, int restart,
           int quality)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = w;
    c.image_height = h;
    c.in_color_space = in;
    c.input_components = in == JCS_GRAYSCALE ? 1 : in == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&c);
    if (stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&c, stored);
    jpeg_set_quality(&c, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&c);
    c.arith_code = arithmetic;
    c.restart_interval = restart;
    jpeg_start_compress(&c, TRUE);
    Bytes row(static_cast<size_t>(w) * c.input_components);
    while (c.next_scanline < c.image_height) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<uint8_t>(i * 7 + c.next_scanline * 13);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
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
    Save(root / "bmp/core1", Bmp(12, 9, 3, 1, 0, {}, pal2, Pattern(9, 3, 1)));
    Save(root / "bmp/core4", Bmp(12, 5, 3, 4, 0, {}, pal4, Pattern(5, 3, 4)));
    Save(root / "bmp/core24", Bmp(12, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    Save(root / "bmp/info1", Bmp(40, 9, 3, 1, 0, {}, pal2, Pattern(9, 3, 1)));
    Save(root / "bmp/info8", Bmp(40, 5, 3, 8, 0, {}, pal4, Pattern(5, 3, 8)));
    Save(root / "bmp/topdown8", Bmp(40, 5, -3, 8, 0, {}, pal4, Pattern(5, 3, 8)));
    Save(root / "bmp/rgb555", Bmp(40, 5, 3, 16, 0, {}, {}, Pattern(5, 3, 16)));
    Save(root / "bmp/bitfields565", Bmp(40, 5, 3, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, Pattern(5, 3, 16)));
    Save(root / "bmp/info24", Bmp(40, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    Save(root / "bmp/rgb32", Bmp(40, 5, 3, 32, 0, {}, {}, Pattern(5, 3, 32)));
    Save(root / "bmp/v4bitfields32", Bmp(108, 5, 3, 32, 3, {0xFF00, 0xFF0000, 0xFF000000}, {}, Pattern(5, 3, 32)));
    Save(root / "bmp/v5rgb24", Bmp(124, 5, 3, 24, 0, {}, {}, Pattern(5, 3, 24)));
    Save(root / "bmp/alpha56", Bmp(56, 5, 3, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {}, Pattern(5, 3, 32)));
    Save(root / "bmp/rle8", Bmp(40, 5, 3, 8, 1, {}, pal4,
                                {0, 3, 2, 3, 0, 0, 1, 1, 1, 2, 0, 0, 1, 1, 0, 4, 2, 3, 0, 1, 0, 0, 0, 2, 1, 0, 0, 3, 1, 2, 3, 0,
                                 1, 0, 0, 1}));
    Save(root / "bmp/rle8delta", Bmp(40, 5, 3, 8, 1, {}, pal4, {2, 2, 0, 2, 1, 2, 1, 3, 0, 1}));
    Save(root / "bmp/rle4", Bmp(40, 5, 3, 4, 2, {}, pal4,
                                {5, 0x23, 0, 0, 0, 5, 0x12, 0x30, 0x10, 0, 0, 0, 3, 0x11, 2, 0x30, 0, 1}));

    Save(root / "jpeg/baseline420", Jpeg(33, 17, JCS_RGB, JCS_UNKNOWN, false, false, 0, 80));
    Save(root / "jpeg/progressive", Jpeg(33, 17, JCS_RGB, JCS_UNKNOWN, true, false, 0, 80));
    Save(root / "jpeg/grey", Jpeg(16, 16, JCS_GRAYSCALE, JCS_UNKNOWN, false, false, 0, 75));
    Save(root / "jpeg/greyprogressive", Jpeg(16, 16, JCS_GRAYSCALE, JCS_UNKNOWN, true, false, 0, 75));
    Save(root / "jpeg/rgb444", Jpeg(16, 8, JCS_RGB, JCS_RGB, false, false, 0, 90));
    Save(root / "jpeg/cmyk", Jpeg(16, 8, JCS_CMYK, JCS_CMYK, false, false, 0, 90));
    Save(root / "jpeg/ycck", Jpeg(16, 8, JCS_CMYK, JCS_YCCK, false, false, 0, 90));
    Save(root / "jpeg/arithmetic", Jpeg(24, 16, JCS_RGB, JCS_UNKNOWN, false, true, 0, 80));
    Save(root / "jpeg/arithprogressive", Jpeg(24, 16, JCS_RGB, JCS_UNKNOWN, true, true, 0, 80));
    Save(root / "jpeg/restarts", Jpeg(48, 32, JCS_RGB, JCS_UNKNOWN, false, false, 1, 80));
    return 0;
}
