#include "tests/board/JpegCheck.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct TErrorTrap {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
};

void Trap(j_common_ptr info) { std::longjmp(reinterpret_cast<TErrorTrap*>(info->err)->Jump, 1); }

// Whether the file's first two quantisation tables are libjpeg's own for quality 80.
bool HasQuality80Tables(const jpeg_decompress_struct& read)
{
    jpeg_compress_struct reference {};
    jpeg_error_mgr err {};
    reference.err = jpeg_std_error(&err);
    jpeg_create_compress(&reference);
    reference.in_color_space = JCS_RGB;
    reference.input_components = 3;
    jpeg_set_defaults(&reference);
    jpeg_set_quality(&reference, 80, TRUE);
    bool same = true;
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < DCTSIZE2; ++i)
            same = same && read.quant_tbl_ptrs[t] &&
                   read.quant_tbl_ptrs[t]->quantval[i] == reference.quant_tbl_ptrs[t]->quantval[i];
    jpeg_destroy_compress(&reference);
    return same;
}

} // namespace

TJpegFacts ReadJpegFacts(const std::string& path)
{
    TJpegFacts facts;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return facts;
    jpeg_decompress_struct info {};
    TErrorTrap trap {};
    info.err = jpeg_std_error(&trap.Manager);
    trap.Manager.error_exit = Trap;
    if (setjmp(trap.Jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return TJpegFacts{};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    facts.Width = static_cast<int>(info.image_width);
    facts.Height = static_cast<int>(info.image_height);
    facts.Components = info.num_components;
    facts.Progressive = info.progressive_mode;
    facts.Jfif = info.saw_JFIF_marker;
    facts.QuantTablesOfQuality80 = HasQuality80Tables(info);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    // The row belongs to libjpeg's pool: nothing with a destructor lives past the setjmp.
    JSAMPARRAY rows = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 3, 1);
    const JSAMPROW row = rows[0];
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows, 1);
        for (size_t x = 0; x < info.output_width; ++x)
            facts.Pixels.push_back((row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    facts.Valid = true;
    return facts;
}
