#include "ImagingTestUtil.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::atomic<int> gWatching{0};
std::atomic<size_t> gLargest{0};

} // namespace

// ---- allocation watch: operator new replaced for this test program

void* operator new(size_t size)
{
    if (gWatching.load(std::memory_order_relaxed)) {
        size_t seen = gLargest.load(std::memory_order_relaxed);
        while (size > seen && !gLargest.compare_exchange_weak(seen, size)) {}
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
// The blocks come from malloc above, so free is the right partner.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TAllocationWatch::TAllocationWatch()
{
    gLargest = 0;
    ++gWatching;
}
TAllocationWatch::~TAllocationWatch() { --gWatching; }
size_t TAllocationWatch::Largest() const { return gLargest; }

// ---- bitmap files

std::vector<uint8_t> BuildBmp(const TBmpSpec& s)
{
    const bool core = s.InfoSize == 12;
    const size_t entry = core ? 3 : 4;
    const bool masksAfter = s.InfoSize == 40 && !s.Masks.empty();
    const uint32_t offset = static_cast<uint32_t>(14 + s.InfoSize + (masksAfter ? 4 * s.Masks.size() : 0) +
                                                  entry * s.Palette.size() + s.OffsetDelta);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 0);  // file size: readers must not rely on it
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, s.InfoSize);
    if (core) {
        Put16(out, static_cast<uint32_t>(s.Width));
        Put16(out, static_cast<uint32_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
    } else {
        Put32(out, static_cast<uint32_t>(s.Width));
        Put32(out, static_cast<uint32_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
        Put32(out, s.Compression);
        Put32(out, static_cast<uint32_t>(s.Data.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, s.ClrUsed);
        Put32(out, 0);
        const size_t headerEnd = 14 + s.InfoSize;
        for (size_t i = 0; i < s.Masks.size() && s.InfoSize > 40; ++i)
            Put32(out, s.Masks[i]);
        out.resize(headerEnd, 0);
        if (masksAfter)
            for (uint32_t m : s.Masks)
                Put32(out, m);
    }
    for (uint32_t c : s.Palette) {
        out.push_back(c & 0xFF);
        out.push_back((c >> 8) & 0xFF);
        out.push_back((c >> 16) & 0xFF);
        if (!core)
            out.push_back(0);
    }
    if (s.OffsetDelta > 0)
        out.resize(out.size() + static_cast<size_t>(s.OffsetDelta), 0xEE);
    else if (s.OffsetDelta < 0)
        out.resize(out.size() - static_cast<size_t>(-s.OffsetDelta));
    out.insert(out.end(), s.Data.begin(), s.Data.end());
    return out;
}

std::vector<uint8_t> StoreRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown)
{
    std::vector<uint8_t> out;
    const size_t height = rows.size();
    for (size_t k = 0; k < height; ++k) {
        const auto& row = rows[topDown ? k : height - 1 - k];
        std::vector<uint8_t> stored;
        uint32_t acc = 0;
        int filled = 0;
        for (uint32_t v : row) {
            if (bits < 8) {
                acc = (acc << bits) | v;
                filled += bits;
                if (filled == 8) {
                    stored.push_back(static_cast<uint8_t>(acc));
                    acc = 0;
                    filled = 0;
                }
            } else if (bits == 8) {
                stored.push_back(static_cast<uint8_t>(v));
            } else if (bits == 16) {
                Put16(stored, v);
            } else if (bits == 24) {
                stored.push_back(v & 0xFF);
                stored.push_back((v >> 8) & 0xFF);
                stored.push_back((v >> 16) & 0xFF);
            } else {
                Put32(stored, v);
            }
        }
        if (filled > 0)
            stored.push_back(static_cast<uint8_t>(acc << (8 - filled)));
        stored.resize((stored.size() + 3) & ~size_t{3}, 0);
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

// ---- JPEG files

std::vector<uint8_t> MakeJpeg(const TJpegSpec& s)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(s.Width);
    c.image_height = static_cast<JDIMENSION>(s.Height);
    c.in_color_space = s.Input;
    c.input_components = s.Input == JCS_GRAYSCALE ? 1 : s.Input == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&c);
    if (s.Stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&c, s.Stored);
    if (!s.AdobeMarker)
        c.write_Adobe_marker = FALSE;
    jpeg_set_quality(&c, s.Quality, TRUE);
    if (s.Progressive)
        jpeg_simple_progression(&c);
    c.arith_code = s.Arithmetic;
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(s.Width) * c.input_components);
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        for (int x = 0; x < s.Width; ++x) {
            const uint32_t p = s.Pixel(x, y);
            uint8_t* d = &row[static_cast<size_t>(x) * c.input_components];
            if (s.Input == JCS_GRAYSCALE) {
                d[0] = p & 0xFF;
            } else if (s.Input == JCS_CMYK) {
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
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

TPlainDecoded PlainDecode(const std::vector<uint8_t>& jpeg, int scaleNum)
{
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpeg.data(), jpeg.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    d.scale_num = static_cast<unsigned>(scaleNum);
    d.scale_denom = 8;
    TPlainDecoded out;
    out.Progressive = d.progressive_mode;
    out.Components = d.num_components;
    jpeg_start_decompress(&d);
    out.Width = static_cast<int>(d.output_width);
    out.Height = static_cast<int>(d.output_height);
    out.Pixels.resize(static_cast<size_t>(out.Width) * out.Height * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW r = &out.Pixels[static_cast<size_t>(d.output_scanline) * out.Width * 3];
        jpeg_read_scanlines(&d, &r, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return out;
}

// ---- files

TScratchDir::TScratchDir()
{
    std::string pattern = std::string(TIRORA_BINARY_DIR) + "/imaging-test-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot create a scratch folder";
    FPath = pattern;
}

TScratchDir::~TScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::string TScratchDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    const std::string path = Path(name);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

int ChannelDistance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}
