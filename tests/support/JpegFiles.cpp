#include "tests/support/JpegFiles.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

namespace {

int ComponentsOf(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_GRAYSCALE:
        return 1;
    case JCS_CMYK:
    case JCS_YCCK:
    case JCS_EXT_RGBX:
    case JCS_EXT_BGRX:
    case JCS_EXT_XBGR:
    case JCS_EXT_XRGB:
    case JCS_EXT_RGBA:
    case JCS_EXT_BGRA:
    case JCS_EXT_ABGR:
    case JCS_EXT_ARGB:
        return 4;
    default:
        return 3;
    }
}

template <class Destination>
void Encode(const TJpegRecipe& s, const TJpegRowSource& rows, Destination destination)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    destination(&c);
    c.image_width = static_cast<JDIMENSION>(s.Width);
    c.image_height = static_cast<JDIMENSION>(s.Height);
    c.in_color_space = s.Input;
    c.input_components = ComponentsOf(s.Input);
    jpeg_set_defaults(&c);
    if (s.Stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&c, s.Stored);
    if (!s.AdobeMarker)
        c.write_Adobe_marker = FALSE;
    jpeg_set_quality(&c, s.Quality, TRUE);
    if (s.Progressive)
        jpeg_simple_progression(&c);
    c.arith_code = s.Arithmetic;
    c.restart_interval = static_cast<unsigned>(s.RestartInterval);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        // libjpeg reads the rows it is given; the pointer is not const only by its old interface.
        JSAMPROW r = const_cast<uint8_t*>(rows(static_cast<int>(c.next_scanline)));
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
}

struct TErrorTrap {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
};

[[noreturn]] void Trap(j_common_ptr info) { std::longjmp(reinterpret_cast<TErrorTrap*>(info->err)->Jump, 1); }

// The part libjpeg may give up on. Everything it fills lives in the caller's frame, and nothing
// with a destructor is made here after the setjmp; the row belongs to libjpeg's pool.
bool DecodeTrapped(jpeg_decompress_struct& d, TErrorTrap& trap, const uint8_t* data, size_t size, int scaleNum,
                   TPlainDecoded& out, const TJpegRowSink* sink)
{
    if (setjmp(trap.Jump))
        return false;
    jpeg_mem_src(&d, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d, TRUE);
    out.Components = d.num_components;
    out.Progressive = d.progressive_mode;
    out.Jfif = d.saw_JFIF_marker;
    for (int t = 0; t < NUM_QUANT_TBLS && d.quant_tbl_ptrs[t]; ++t) {
        out.QuantTables.emplace_back();
        std::copy_n(d.quant_tbl_ptrs[t]->quantval, DCTSIZE2, out.QuantTables.back().begin());
    }
    d.out_color_space = JCS_RGB;
    d.scale_num = static_cast<unsigned>(scaleNum);
    d.scale_denom = 8;
    jpeg_start_decompress(&d);
    out.Width = static_cast<int>(d.output_width);
    out.Height = static_cast<int>(d.output_height);
    const size_t stride = static_cast<size_t>(d.output_width) * 3;
    JSAMPARRAY rows = d.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&d), JPOOL_IMAGE,
                                          static_cast<JDIMENSION>(stride), 1);
    if (!sink)
        out.Pixels.reserve(stride * d.output_height);
    while (d.output_scanline < d.output_height) {
        const int y = static_cast<int>(d.output_scanline);
        jpeg_read_scanlines(&d, rows, 1);
        if (sink)
            (*sink)(y, rows[0]);
        else
            out.Pixels.insert(out.Pixels.end(), rows[0], rows[0] + stride);
    }
    jpeg_finish_decompress(&d);
    return true;
}

TPlainDecoded Decode(const uint8_t* data, size_t size, int scaleNum, const TJpegRowSink* sink)
{
    TPlainDecoded out;
    jpeg_decompress_struct d{};
    TErrorTrap trap{};
    d.err = jpeg_std_error(&trap.Manager);
    trap.Manager.error_exit = Trap;
    jpeg_create_decompress(&d);
    out.Valid = DecodeTrapped(d, trap, data, size, scaleNum, out, sink);
    jpeg_destroy_decompress(&d);
    if (!out.Valid)
        return {};
    return out;
}

} // namespace

void PlainEncode(const TJpegRecipe& recipe, const TJpegRowSource& rows, FILE* file)
{
    Encode(recipe, rows, [file](j_compress_ptr c) { jpeg_stdio_dest(c, file); });
}

void PlainEncode(const TJpegRecipe& recipe, const TJpegRowSource& rows, unsigned char** buffer, unsigned long* size)
{
    Encode(recipe, rows, [buffer, size](j_compress_ptr c) { jpeg_mem_dest(c, buffer, size); });
}

std::vector<uint8_t> MakeJpeg(const TJpegRecipe& s)
{
    const int components = ComponentsOf(s.Input);
    std::vector<uint8_t> row(static_cast<size_t>(s.Width) * components);
    const auto fill = [&](int y) -> const uint8_t* {
        for (int x = 0; x < s.Width; ++x) {
            const uint32_t p = s.Pixel(x, y);
            uint8_t* d = &row[static_cast<size_t>(x) * components];
            if (s.Input == JCS_GRAYSCALE) {
                d[0] = p & 0xFF;
            } else if (components == 4) {
                d[0] = (p >> 24) & 0xFF;
                d[1] = (p >> 16) & 0xFF;
                d[2] = (p >> 8) & 0xFF;
                d[3] = p & 0xFF;
            } else {
                d[0] = (p >> 16) & 0xFF;
                d[1] = (p >> 8) & 0xFF;
                d[2] = p & 0xFF;
            }
        }
        return row.data();
    };
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    PlainEncode(s, fill, &buffer, &size);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

TPlainDecoded PlainDecodeRows(const uint8_t* data, size_t size, int scaleNum, const TJpegRowSink& sink)
{
    return Decode(data, size, scaleNum, &sink);
}

TPlainDecoded PlainDecode(const std::vector<uint8_t>& jpeg, int scaleNum)
{
    return Decode(jpeg.data(), jpeg.size(), scaleNum, nullptr);
}

std::array<std::array<uint16_t, DCTSIZE2>, 2> LibjpegQuantTables(int quality)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    c.in_color_space = JCS_RGB;
    c.input_components = 3;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    std::array<std::array<uint16_t, DCTSIZE2>, 2> tables{};
    for (int t = 0; t < 2; ++t)
        std::copy_n(c.quant_tbl_ptrs[t]->quantval, DCTSIZE2, tables[t].begin());
    jpeg_destroy_compress(&c);
    return tables;
}
