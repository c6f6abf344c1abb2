#include <cmath>
#include <cstring>

#include <gtest/gtest.h>
#include <jerror.h>

#include "ImagingTestUtil.h"
#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/graphics/Canvas.h"
#include "platform/imaging/JPEGImage.h"

namespace {

uint32_t Gradient(int x, int y)
{
    return (static_cast<uint32_t>(x * 255 / 63) << 16) | (static_cast<uint32_t>(y * 255 / 47) << 8) | 0x40;
}

std::unique_ptr<TBitmap> Decode(const std::vector<uint8_t>& file, TDisplaySize display = {})
{
    TMemorySource source(file);
    return DecodeJpeg(source, display);
}

std::string JpegError(int code) { return Format(Sjis("JPEG エラー #%d"), {std::to_string(code)}); }

// Largest channel difference between our bitmap and a plain decode of the same size.
int Distance(const TBitmap& b, const TPlainDecoded& plain)
{
    EXPECT_EQ(b.Width(), plain.Width);
    EXPECT_EQ(b.Height(), plain.Height);
    int d = 0;
    for (int y = 0; y < std::min(b.Height(), plain.Height); ++y)
        for (int x = 0; x < std::min(b.Width(), plain.Width); ++x) {
            const uint8_t* p = &plain.Pixels[(static_cast<size_t>(y) * plain.Width + x) * 3];
            d = std::max(d, ChannelDistance(b.PixelRGB(x, y), (p[0] << 16) | (p[1] << 8) | p[2]));
        }
    return d;
}

// Area averaging done the slow and obvious way, as the reference for the reduced loads.
TPlainDecoded BoxReduce(const TPlainDecoded& in, int w, int h)
{
    TPlainDecoded out;
    out.Width = w;
    out.Height = h;
    out.Pixels.resize(static_cast<size_t>(w) * h * 3);
    const double sx = double(in.Width) / w, sy = double(in.Height) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int j = int(y * sy); j < in.Height && j < std::ceil((y + 1) * sy); ++j)
                    for (int i = int(x * sx); i < in.Width && i < std::ceil((x + 1) * sx); ++i) {
                        const double wx = std::min(i + 1.0, (x + 1) * sx) - std::max(double(i), x * sx);
                        const double wy = std::min(j + 1.0, (y + 1) * sy) - std::max(double(j), y * sy);
                        sum += wx * wy * in.Pixels[(static_cast<size_t>(j) * in.Width + i) * 3 + c];
                    }
                out.Pixels[(static_cast<size_t>(y) * w + x) * 3 + c] = static_cast<uint8_t>(std::lround(sum / (sx * sy)));
            }
    return out;
}

size_t FindMarker(const std::vector<uint8_t>& f, uint8_t marker)
{
    for (size_t i = 0; i + 1 < f.size(); ++i)
        if (f[i] == 0xFF && f[i + 1] == marker)
            return i;
    return std::string::npos;
}

// Rewrites the frame size in the start-of-frame marker.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> f, uint8_t sof, uint16_t w, uint16_t h)
{
    const size_t at = FindMarker(f, sof);
    EXPECT_NE(at, std::string::npos);
    f[at + 5] = h >> 8;
    f[at + 6] = h & 0xFF;
    f[at + 7] = w >> 8;
    f[at + 8] = w & 0xFF;
    return f;
}

} // namespace

TEST(JpegDecode, MatchesLibjpegForEveryKindOfFile)
{
    const struct {
        const char* Name;
        TJpegRecipe Recipe;
    } cases[] = {
        {"baseline colour", {64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient}},
        {"progressive colour", {64, 48, 90, true, JCS_RGB, JCS_UNKNOWN, true, Gradient}},
        {"greyscale", {64, 48, 90, false, JCS_GRAYSCALE, JCS_UNKNOWN, true, [](int x, int) { return uint32_t(x * 4); }}},
        {"4:4:4 RGB stored as RGB", {64, 48, 90, false, JCS_RGB, JCS_RGB, true, Gradient}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto file = MakeJpeg(c.Recipe);
        const auto b = Decode(file);
        EXPECT_EQ(b->PixelFormat(), pf24bit);
        EXPECT_EQ(Distance(*b, PlainDecode(file)), 0);
    }
}

TEST(JpegDecode, ConvertsCmykAndYcck)
{
    // Stored inks for an Adobe file are inverted: 255 is no ink. Four flat quarters.
    auto inks = [](int x, int y) -> uint32_t {
        if (y < 8)
            return x < 8 ? 0x00FFFFFFu /* full cyan */ : 0xFFFFFFFFu /* paper */;
        return x < 8 ? 0xFFFF00FFu /* full yellow */ : 0xFFFFFF00u /* full black */;
    };
    const uint32_t expected[2][2] = {{0x00FFFF, 0xFFFFFF}, {0xFFFF00, 0x000000}};
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        SCOPED_TRACE(stored == JCS_CMYK ? "CMYK" : "YCCK");
        const auto b = Decode(MakeJpeg({16, 16, 100, false, JCS_CMYK, stored, true, inks}));
        for (int q = 0; q < 4; ++q)
            EXPECT_LE(ChannelDistance(b->PixelRGB((q % 2) * 8 + 4, (q / 2) * 8 + 4), expected[q / 2][q % 2]), 3) << q;
    }
    // Without the Adobe marker the inks are taken as they are stored.
    const auto plain = Decode(MakeJpeg({16, 16, 100, false, JCS_CMYK, JCS_CMYK, false, [](int, int) { return 0xFF000000u; }}));
    EXPECT_LE(ChannelDistance(plain->PixelRGB(4, 4), 0x00FFFF), 3);
}

TEST(JpegDecode, ReducedLoadEqualsAveragedEighthScaleDecode)
{
    // A sharp edge and a gradient, so that a wrong scale or misplaced weights show.
    const auto file = MakeJpeg({1600, 1200, 90, false, JCS_RGB, JCS_UNKNOWN, true, [](int x, int y) {
        return x < 800 ? 0xC02020u : static_cast<uint32_t>((y * 255 / 1199) << 8 | 0x2020C0);
    }});
    const struct {
        TDisplaySize Display;
        int ScaleNum;  // the smallest M/8 still covering the display size
    } cases[] = {{{150, 112}, 1}, {{300, 224}, 2}, {{150, 600}, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Display.Width * 1000 + c.Display.Height);
        const auto b = Decode(file, c.Display);
        ASSERT_EQ(b->Width(), c.Display.Width);
        ASSERT_EQ(b->Height(), c.Display.Height);
        EXPECT_LE(Distance(*b, BoxReduce(PlainDecode(file, c.ScaleNum), c.Display.Width, c.Display.Height)), 1);
    }
    // Smaller than the display size: kept whole.
    const auto small = MakeJpeg({64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    EXPECT_EQ(Distance(*Decode(small, {150, 112}), PlainDecode(small)), 0);
}

TEST(JpegDecode, DamagedFilesRaiseTheJpegError)
{
    const auto good = MakeJpeg({64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    const auto progressive = MakeJpeg({64, 48, 90, true, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    const auto arithmetic = MakeJpeg({64, 256, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient, true});
    const size_t scan = FindMarker(good, 0xDA);
    std::vector<uint8_t> lossless = good;
    lossless[FindMarker(good, 0xC0) + 1] = 0xC3;
    const struct {
        const char* Name;
        std::vector<uint8_t> File;
        int Code;
    } cases[] = {
        {"empty", {}, JERR_INPUT_EMPTY},
        {"not a JPEG", {'B', 'M', 0, 0, 0, 0}, JERR_NO_SOI},
        {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 100), JERR_INPUT_EOF},
        {"scan cut short", std::vector<uint8_t>(good.begin(), good.begin() + scan + 200), JWRN_HIT_MARKER},
        {"scan ended early by its end marker",
         [&] { auto f = std::vector<uint8_t>(good.begin(), good.begin() + scan + 200); f.push_back(0xFF); f.push_back(0xD9); return f; }(),
         JWRN_HIT_MARKER},
        {"first progressive scan cut short", std::vector<uint8_t>(progressive.begin(), progressive.begin() + FindMarker(progressive, 0xDA) + 40), JWRN_HIT_MARKER},
        {"unsupported process", lossless, JERR_SOF_UNSUPPORTED},
        // The arithmetic decoder pads missing data silently; running out is noticed by the rows.
        {"arithmetic-coded scan cut short", std::vector<uint8_t>(arithmetic.begin(), arithmetic.begin() + FindMarker(arithmetic, 0xDA) + 100), JERR_INPUT_EOF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (TDisplaySize display : {TDisplaySize{}, TDisplaySize{16, 12}}) {
            try {
                Decode(c.File, display);
                ADD_FAILURE() << "decoded without error";
            } catch (const EJPEG& e) {
                EXPECT_EQ(e.Message, JpegError(c.Code));
                EXPECT_EQ(e.Code, c.Code);
            }
        }
    }
}

TEST(JpegDecode, OnlyTheFinalMarkerMissingOrTrailingBytesStillDecode)
{
    const auto good = MakeJpeg({64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    const auto progressive = MakeJpeg({64, 48, 90, true, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    const auto arithmetic = MakeJpeg({64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient, true});
    for (const auto* f : {&good, &progressive, &arithmetic}) {
        const std::vector<uint8_t> noEnd(f->begin(), f->end() - 2);
        EXPECT_EQ(Distance(*Decode(noEnd), PlainDecode(*f)), 0);
        std::vector<uint8_t> trailing = *f;
        trailing.insert(trailing.end(), 100, 0x55);
        EXPECT_EQ(Distance(*Decode(trailing), PlainDecode(*f)), 0);
    }
}

TEST(JpegDecode, DeclaredSizeBeyondTheDataFailsWithoutLargeAllocations)
{
    const auto good = MakeJpeg({64, 48, 90, false, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    const auto progressive = MakeJpeg({64, 48, 90, true, JCS_RGB, JCS_UNKNOWN, true, Gradient});
    TAllocationWatch watch;
    // 60000 x 60000 declared, the data of 64 x 48: it runs out in the first rows.
    const auto huge = WithFrameSize(good, 0xC0, 60000, 60000);
    EXPECT_THROW(Decode(huge, {150, 112}), EJPEG);
    EXPECT_THROW(Decode(huge), EJPEG);
    EXPECT_LT(watch.Largest(), size_t{16} << 20);
    // A progressive file needs its coefficients for the whole declared size at once; libjpeg may
    // take only a bounded amount for that.
    try {
        Decode(WithFrameSize(progressive, 0xC2, 60000, 60000), {150, 112});
        ADD_FAILURE() << "decoded without error";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code, JERR_NO_BACKING_STORE);
    }
}

TEST(JpegEncode, WritesLibjpegDefaultsAtTheQualityAsked)
{
    TBitmap b(600, 448);  // the display's format, 32 bits
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 600; ++x)
            b.SetPixelRGB(x, y, Gradient(x / 10, y / 10));
    TJPEGImage jpeg;
    EXPECT_EQ(jpeg.CompressionQuality(), 90);
    jpeg.Assign(&b);
    jpeg.SetCompressionQuality(80);
    std::vector<uint8_t> file;
    jpeg.SaveToStream(file);

    // Read back with libjpeg itself.
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), file.size());
    ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(d.image_width, 600u);
    EXPECT_EQ(d.image_height, 448u);
    EXPECT_EQ(d.num_components, 3);
    EXPECT_EQ(d.jpeg_color_space, JCS_YCbCr);
    EXPECT_FALSE(d.progressive_mode);
    EXPECT_NE(FindMarker(file, 0xC0), std::string::npos);  // baseline frame
    EXPECT_TRUE(d.saw_JFIF_marker);
    EXPECT_EQ(d.comp_info[0].h_samp_factor, 2);
    EXPECT_EQ(d.comp_info[0].v_samp_factor, 2);
    EXPECT_EQ(d.comp_info[1].h_samp_factor, 1);
    EXPECT_EQ(d.comp_info[2].v_samp_factor, 1);

    jpeg_compress_struct c{};
    jpeg_error_mgr cerr{};
    c.err = jpeg_std_error(&cerr);
    jpeg_create_compress(&c);
    c.in_color_space = JCS_RGB;
    c.input_components = 3;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 80, TRUE);
    for (int t = 0; t < 2; ++t) {
        ASSERT_NE(d.quant_tbl_ptrs[t], nullptr);
        EXPECT_EQ(std::memcmp(d.quant_tbl_ptrs[t]->quantval, c.quant_tbl_ptrs[t]->quantval, sizeof(UINT16) * DCTSIZE2), 0)
            << "table " << t;
    }
    EXPECT_EQ(d.quant_tbl_ptrs[2], nullptr);
    jpeg_destroy_compress(&c);
    jpeg_destroy_decompress(&d);

    // The very bytes libjpeg writes for the same pixels.
    EXPECT_EQ(file, MakeJpeg({600, 448, 80, false, JCS_RGB, JCS_UNKNOWN, true, [](int x, int y) { return Gradient(x / 10, y / 10); }}));
}

TEST(JpegEncode, EveryPixelFormatEncodes)
{
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
        TBitmap b(17, 9, format);
        b.Canvas()->Brush()->SetColor(clBlack);
        b.Canvas()->FillRect({0, 0, 8, 9});
        const auto back = Decode(EncodeJpeg(b, 95));
        EXPECT_LE(ChannelDistance(back->PixelRGB(2, 4), 0x000000), 8) << int(format);
        EXPECT_LE(ChannelDistance(back->PixelRGB(14, 4), 0xFFFFFF), 8) << int(format);
    }
    try {
        EncodeJpeg(TBitmap(), 80);
        ADD_FAILURE() << "an empty picture encoded";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code, JERR_EMPTY_IMAGE);
    }
}

TEST(JpegEncode, FileErrorsAreReported)
{
    TScratchDir dir;
    TJPEGImage jpeg;
    TBitmap b(8, 8);
    jpeg.Assign(&b);
    const std::string missing = dir.Path("ない/board.jpg");
    try {
        jpeg.SaveToFile(missing);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, Format(Sjis("ファイル %s を作成できません"), {Utf8ToCp932(missing)}));
    }
    // A device that accepts the file but has no room for its bytes.
    EXPECT_THROW(jpeg.SaveToFile("/dev/full"), EWriteError);

    const std::string path = dir.Path("board.jpg");
    jpeg.SaveToFile(path);
    EXPECT_EQ(Distance(*Decode(ReadAll(path)), PlainDecode(ReadAll(path))), 0);
}
