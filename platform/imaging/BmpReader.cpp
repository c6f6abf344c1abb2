#include "platform/imaging/BmpReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/imaging/RowCollector.h"

namespace {

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic(Sjis("ビットマップイメージが不正です"));
}

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }

// Reads the source through a buffer so that RLE data can be taken a byte at a time.
class TBufferedReader {
public:
    explicit TBufferedReader(TByteSource& source) : FSource(source) {}

    bool Read(uint8_t* dest, size_t count)
    {
        while (count > 0) {
            if (FPos == FEnd && !Fill())
                return false;
            const size_t n = std::min(count, FEnd - FPos);
            std::memcpy(dest, FBuffer + FPos, n);
            FPos += n;
            dest += n;
            count -= n;
        }
        return true;
    }

private:
    bool Fill()
    {
        FPos = 0;
        FEnd = FSource.Read(FBuffer, sizeof FBuffer);
        return FEnd > 0;
    }

    TByteSource& FSource;
    uint8_t FBuffer[65536];
    size_t FPos = 0;
    size_t FEnd = 0;
};

// A channel given by a bit mask, widened or narrowed to 8 bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    static TChannel FromMask(uint32_t mask)
    {
        TChannel c;
        if (mask == 0)
            return c;
        c.Mask = mask;
        c.Shift = std::countr_zero(mask);
        const uint32_t field = mask >> c.Shift;
        if ((field & (field + 1)) != 0)  // the bits of a channel must be contiguous
            Invalid();
        c.Bits = std::popcount(field);
        return c;
    }
    uint8_t Get(uint32_t pixel) const
    {
        if (Bits == 0)
            return 0;
        const uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8)
            return static_cast<uint8_t>(v >> (Bits - 8));
        const uint32_t max = (1u << Bits) - 1;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

struct THeader {
    int32_t Width = 0;
    int32_t Height = 0;  // rows, whatever the direction
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = BI_RGB;
    TChannel Red, Green, Blue;
    std::vector<uint8_t> Palette;  // 3 bytes blue, green, red per entry
    uint64_t BitsOffset = 0;
};

// Reads the file header, the info header, masks and palette, and leaves the source at the bits.
THeader ReadHeader(TByteSource& source, bool withPalette)
{
    uint8_t file[14];
    if (source.Read(file, sizeof file) != sizeof file || file[0] != 'B' || file[1] != 'M')
        Invalid();
    THeader h;
    h.BitsOffset = U32(file + 10);

    uint8_t info[124] = {};
    if (source.Read(info, 4) != 4)
        Invalid();
    const uint32_t infoSize = U32(info);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        Invalid();
    if (source.Read(info + 4, infoSize - 4) != infoSize - 4)
        Invalid();

    const bool core = infoSize == 12;
    uint32_t clrUsed = 0;
    int64_t height;
    if (core) {
        h.Width = U16(info + 4);
        height = U16(info + 6);
        h.Bits = U16(info + 10);
        if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24)
            Invalid();
    } else {
        h.Width = static_cast<int32_t>(U32(info + 4));
        height = static_cast<int32_t>(U32(info + 8));
        h.Bits = U16(info + 14);
        h.Compression = U32(info + 16);
        clrUsed = U32(info + 32);
    }
    h.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (h.Width <= 0 || height <= 0 || h.Width > MaxPictureDimension || height > MaxPictureDimension)
        Invalid();
    h.Height = static_cast<int32_t>(height);

    uint64_t maskBytes = 0;
    switch (h.Compression) {
    case BI_RGB:
        if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
            Invalid();
        if (h.Bits == 16) {
            h.Red = TChannel::FromMask(0x7C00);
            h.Green = TChannel::FromMask(0x03E0);
            h.Blue = TChannel::FromMask(0x001F);
        }
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length data is stored bottom-up only.
        if (h.Bits != (h.Compression == BI_RLE8 ? 8 : 4) || h.TopDown)
            Invalid();
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: {
        if (h.Bits != 16 && h.Bits != 32)
            Invalid();
        const uint8_t* masks = info + 40;
        uint8_t extra[16];
        if (infoSize == 40) {
            // The masks follow a 40-byte header, where a palette would begin.
            maskBytes = h.Compression == BI_BITFIELDS ? 12 : 16;
            if (source.Read(extra, maskBytes) != maskBytes)
                Invalid();
            masks = extra;
        }
        const uint32_t limit = h.Bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        const uint32_t r = U32(masks), g = U32(masks + 4), b = U32(masks + 8);
        if ((r | g | b) > limit || (r | g | b) == 0)
            Invalid();
        h.Red = TChannel::FromMask(r);
        h.Green = TChannel::FromMask(g);
        h.Blue = TChannel::FromMask(b);
        break;
    }
    default:
        Invalid();
    }

    const uint64_t paletteStart = 14 + uint64_t{infoSize} + maskBytes;
    if (h.BitsOffset < paletteStart)
        Invalid();
    if (h.Bits <= 8) {
        // The palette holds clrUsed entries (all the bit depth allows when 0), but never more than
        // the depth can index nor more than fit before the bits.
        const size_t entrySize = core ? 3 : 4;
        uint64_t count = clrUsed == 0 ? (1u << h.Bits) : std::min<uint64_t>(clrUsed, 1u << h.Bits);
        count = std::min<uint64_t>(count, (h.BitsOffset - paletteStart) / entrySize);
        if (withPalette) {
            std::vector<uint8_t> raw(count * entrySize);
            if (source.Read(raw.data(), raw.size()) != raw.size())
                Invalid();
            h.Palette.resize(count * 3);
            for (size_t i = 0; i < count; ++i)
                std::memcpy(&h.Palette[i * 3], &raw[i * entrySize], 3);
        }
    }
    return h;
}

// Converts one stored row of palette indices, masked or direct pixels to blue, green, red.
class TRowConverter {
public:
    explicit TRowConverter(const THeader& h) : FH(h)
    {
        // Indices past a short palette draw black.
        FPalette.assign(256 * 3, 0);
        std::copy(h.Palette.begin(), h.Palette.end(), FPalette.begin());
    }

    void Convert(const uint8_t* src, uint8_t* dst) const
    {
        const int32_t w = FH.Width;
        switch (FH.Bits) {
        case 1:
            for (int32_t x = 0; x < w; ++x, dst += 3)
                Index((src[x >> 3] >> (7 - (x & 7))) & 1, dst);
            break;
        case 4:
            for (int32_t x = 0; x < w; ++x, dst += 3)
                Index((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15, dst);
            break;
        case 8:
            for (int32_t x = 0; x < w; ++x, dst += 3)
                Index(src[x], dst);
            break;
        case 16:
            for (int32_t x = 0; x < w; ++x, dst += 3)
                Masked(U16(src + 2 * x), dst);
            break;
        case 24:
            std::memcpy(dst, src, static_cast<size_t>(w) * 3);
            break;
        case 32:
            if (FH.Compression == BI_RGB) {
                for (int32_t x = 0; x < w; ++x, dst += 3, src += 4) {
                    dst[0] = src[0];
                    dst[1] = src[1];
                    dst[2] = src[2];
                }
            } else {
                for (int32_t x = 0; x < w; ++x, dst += 3)
                    Masked(U32(src + 4 * x), dst);
            }
            break;
        }
    }

    void Index(unsigned i, uint8_t* dst) const { std::memcpy(dst, &FPalette[i * 3], 3); }

private:
    void Masked(uint32_t v, uint8_t* dst) const
    {
        dst[0] = FH.Blue.Get(v);
        dst[1] = FH.Green.Get(v);
        dst[2] = FH.Red.Get(v);
    }

    const THeader& FH;
    std::vector<uint8_t> FPalette;
};

void ReadUncompressed(TBufferedReader& reader, TByteSource& source, const THeader& h, TDisplaySize display,
                      std::unique_ptr<TBitmap>& result)
{
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(h.Width)} * h.Bits + 7) / 8;
    const uint64_t stride = (rowBytes + 3) & ~uint64_t{3};
    // Every row must be in the file before anything is allocated; the last row's padding may be
    // missing, as some writers leave it out.
    const uint64_t needed = stride * (static_cast<uint64_t>(h.Height) - 1) + rowBytes;
    if (needed > source.Remaining())
        Invalid();
    TRowCollector rows(h.Width, h.Height, h.TopDown, display, true);
    TRowConverter converter(h);
    std::vector<uint8_t> stored(stride), converted(static_cast<size_t>(h.Width) * 3);
    for (int32_t y = 0; y < h.Height; ++y) {
        const size_t n = y + 1 < h.Height ? stride : rowBytes;
        if (!reader.Read(stored.data(), n))
            Invalid();
        converter.Convert(stored.data(), converted.data());
        rows.AddRows(converted.data());
    }
    result = rows.Finish();
}

void ReadRunLength(TBufferedReader& reader, const THeader& h, TDisplaySize display, std::unique_ptr<TBitmap>& result)
{
    const bool rle4 = h.Compression == BI_RLE4;
    const int32_t w = h.Width, height = h.Height;
    TRowCollector rows(w, height, false, display);
    TRowConverter converter(h);
    // Pixels that no run reaches stay black.
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3, 0), black(row.size(), 0);
    int32_t x = 0, y = 0;
    auto nextRows = [&](int32_t count) {
        rows.AddRows(row.data());
        if (count > 1)
            rows.AddRows(black.data(), count - 1);
        std::fill(row.begin(), row.end(), 0);
        y += count;
    };
    auto checkRun = [&](int32_t count) {
        if (y >= height || count > w - x)
            Invalid();
    };
    uint8_t pair[2], pixels[256];
    for (;;) {
        if (!reader.Read(pair, 2)) {
            // Data that ends without the end-of-bitmap mark is accepted only when every row is there.
            if (y >= height || (y == height - 1 && x == w))
                break;
            Invalid();
        }
        if (pair[0] > 0) {
            const int32_t count = pair[0];
            checkRun(count);
            for (int32_t i = 0; i < count; ++i, ++x) {
                const unsigned index = rle4 ? ((i & 1) ? pair[1] & 15 : pair[1] >> 4) : pair[1];
                converter.Index(index, &row[static_cast<size_t>(x) * 3]);
            }
            continue;
        }
        switch (pair[1]) {
        case 0:  // end of line
            if (y >= height)
                Invalid();
            nextRows(1);
            x = 0;
            break;
        case 1:  // end of bitmap
            if (y < height)
                nextRows(height - y);
            result = rows.Finish();
            return;
        case 2: {  // move right and up
            uint8_t delta[2];
            if (!reader.Read(delta, 2) || delta[0] > w - x || delta[1] > height - y)
                Invalid();
            if (delta[1] > 0)
                nextRows(delta[1]);
            x += delta[0];
            break;
        }
        default: {  // a literal run, padded to 16 bits
            const int32_t count = pair[1];
            checkRun(count);
            const size_t bytes = rle4 ? (count + 1) / 2 : count;
            if (!reader.Read(pixels, bytes + (bytes & 1)))
                Invalid();
            for (int32_t i = 0; i < count; ++i, ++x) {
                const unsigned index = rle4 ? ((i & 1) ? pixels[i / 2] & 15 : pixels[i / 2] >> 4) : pixels[i];
                converter.Index(index, &row[static_cast<size_t>(x) * 3]);
            }
        }
        }
    }
    if (y < height)
        nextRows(height - y);
    result = rows.Finish();
}

} // namespace

TBmpInfo ReadBmpInfo(TByteSource& source)
{
    const THeader h = ReadHeader(source, false);
    return {h.Width, h.Height};
}

std::unique_ptr<TBitmap> ReadBmp(TByteSource& source, TDisplaySize display)
{
    THeader h = ReadHeader(source, true);
    if (KeptSize(h.Width, h.Height, display).Pixels() > MaxFullSizePixels)
        Invalid();
    if (!source.Skip(h.BitsOffset - source.Position()))
        Invalid();
    auto reader = std::make_unique<TBufferedReader>(source);
    std::unique_ptr<TBitmap> result;
    if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4)
        ReadRunLength(*reader, h, display, result);
    else
        ReadUncompressed(*reader, source, h, display, result);
    return result;
}

std::unique_ptr<TBitmap> LoadBmpFromFile(const std::string& path, TDisplaySize display)
{
    TFileSource source(path);
    return ReadBmp(source, display);
}

std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap)
{
    const uint32_t w = static_cast<uint32_t>(bitmap.Width()), h = static_cast<uint32_t>(bitmap.Height());
    const uint32_t stride = (w * 3 + 3) & ~3u;
    const uint32_t bits = stride * h;
    std::vector<uint8_t> out(54 + size_t{bits}, 0);
    auto put16 = [&](size_t at, uint32_t v) { out[at] = v & 0xFF; out[at + 1] = (v >> 8) & 0xFF; };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + bits);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    put32(34, bits);
    for (uint32_t y = 0; y < h; ++y) {
        uint8_t* dst = &out[54 + size_t{h - 1 - y} * stride];
        for (uint32_t x = 0; x < w; ++x, dst += 3) {
            const uint32_t p = bitmap.PixelRGB(static_cast<int32_t>(x), static_cast<int32_t>(y));
            dst[0] = p & 0xFF;
            dst[1] = (p >> 8) & 0xFF;
            dst[2] = (p >> 16) & 0xFF;
        }
    }
    return out;
}

void SaveBmpToFile(const TBitmap& bitmap, const std::string& path)
{
    const std::vector<uint8_t> bytes = EncodeBmp(bitmap);
    WriteBytesToFile(path, bytes.data(), bytes.size());
}
