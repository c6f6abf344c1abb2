#include <gtest/gtest.h>

#include "ImagingTestUtil.h"
#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/imaging/BmpReader.h"

namespace {

using TGrid = std::vector<std::vector<uint32_t>>;

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;

// Palette indices of a 5 x 3 picture (odd width, so rows need padding), top row first.
const TGrid Indices = {{0, 1, 2, 3, 0}, {1, 2, 3, 0, 1}, {2, 3, 0, 1, 2}};
const std::vector<uint32_t> Palette4 = {Black, White, Red, Blue};

TGrid Map(const TGrid& grid, const std::function<uint32_t(uint32_t)>& f)
{
    TGrid out = grid;
    for (auto& row : out)
        for (auto& v : row)
            v = f(v);
    return out;
}

// The reference picture's colours, and its pixels packed by channel masks of 0/255 components.
const TGrid Colours = Map(Indices, [](uint32_t i) { return Palette4[i]; });
TGrid Packed(uint32_t rMask, uint32_t gMask, uint32_t bMask, uint32_t extra = 0)
{
    return Map(Colours, [=](uint32_t c) {
        return ((c & 0xFF0000) ? rMask : 0) | ((c & 0x00FF00) ? gMask : 0) | ((c & 0x0000FF) ? bMask : 0) | extra;
    });
}

std::string Invalid() { return Sjis("ビットマップイメージが不正です"); }

void Patch32(std::vector<uint8_t>& file, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TGrid PixelsOf(const TBitmap& b)
{
    TGrid out(static_cast<size_t>(b.Height()), std::vector<uint32_t>(static_cast<size_t>(b.Width())));
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            out[y][x] = b.PixelRGB(x, y);
    return out;
}

std::unique_ptr<TBitmap> Read(const std::vector<uint8_t>& file, TDisplaySize display = {})
{
    TMemorySource source(file);
    return ReadBmp(source, display);
}

// A run-length row: (count, index) pairs of at most 255 pixels each, then end of line.
std::vector<uint8_t> Rle8Row(std::initializer_list<std::pair<int, uint8_t>> segments)
{
    std::vector<uint8_t> out;
    for (auto [count, index] : segments)
        for (; count > 0; count -= 255) {
            out.push_back(static_cast<uint8_t>(std::min(count, 255)));
            out.push_back(index);
        }
    out.push_back(0);
    out.push_back(0);
    return out;
}

struct TVariant {
    const char* Name;
    TBmpRecipe Recipe;
    TGrid Expected;
};

std::vector<TVariant> Variants()
{
    const TGrid twoColour = Map(Indices, [](uint32_t i) { return i % 2; });
    std::vector<TVariant> v;
    auto add = [&](const char* name, TBmpRecipe recipe, TGrid expected) { v.push_back({name, std::move(recipe), std::move(expected)}); };
    auto recipe = [](uint32_t info, int32_t h, uint16_t bits, uint32_t compression = 0) {
        TBmpRecipe s;
        s.InfoSize = info;
        s.Width = 5;
        s.Height = h;
        s.Bits = bits;
        s.Compression = compression;
        return s;
    };

    {   // 1 bit, the palette decides both colours
        TBmpRecipe s = recipe(12, 3, 1);
        s.Palette = {Red, Blue};
        s.Data = StoreRows(twoColour, 1, false);
        add("core header, 1 bit", s, Map(twoColour, [](uint32_t i) { return i ? Blue : Red; }));
        s.InfoSize = 40;
        add("info header, 1 bit", s, Map(twoColour, [](uint32_t i) { return i ? Blue : Red; }));
    }
    for (uint16_t bits : {4, 8}) {
        // Four palette entries where the depth allows 16 or 256: the offset of the bits says so.
        TBmpRecipe s = recipe(12, 3, bits);
        s.Palette = Palette4;
        s.Data = StoreRows(Indices, bits, false);
        add(bits == 4 ? "core header, 4 bits, short palette" : "core header, 8 bits, short palette", s, Colours);
        s.InfoSize = 40;
        add(bits == 4 ? "info header, 4 bits, short palette by offset" : "info header, 8 bits, short palette by offset",
            s, Colours);
        s.ClrUsed = 4;
        add(bits == 4 ? "info header, 4 bits, 4 colours used" : "info header, 8 bits, 4 colours used", s, Colours);
    }
    {
        TBmpRecipe s = recipe(40, -3, 8);
        s.Palette = Palette4;
        s.Data = StoreRows(Indices, 8, true);
        add("8 bits top-down", s, Colours);
        s.Height = 3;
        s.Data = StoreRows(Indices, 8, false);
        s.OffsetDelta = 6;
        add("8 bits with a gap before the bits", s, Colours);
    }
    {
        TBmpRecipe s = recipe(40, 3, 8);
        s.Palette = {Black, White};  // indices 2 and 3 lie past the palette: black
        s.ClrUsed = 2;
        s.Data = StoreRows(Indices, 8, false);
        add("8 bits, indices past the palette", s, Map(Indices, [](uint32_t i) { return i == 1 ? White : Black; }));
    }
    {
        TBmpRecipe s = recipe(40, 3, 16);
        s.Data = StoreRows(Packed(0x7C00, 0x03E0, 0x001F), 16, false);
        add("16 bits 5-5-5", s, Colours);
        s = recipe(40, 3, 16, 3);
        s.Masks = {0xF800, 0x07E0, 0x001F};
        s.Data = StoreRows(Packed(0xF800, 0x07E0, 0x001F), 16, false);
        add("16 bits 5-6-5, masks after the header", s, Colours);
        s = recipe(52, 3, 16, 3);
        s.Masks = {0x0F00, 0x00F0, 0x000F};
        s.Data = StoreRows(Packed(0x0F00, 0x00F0, 0x000F), 16, false);
        add("16 bits 4-4-4, masks in a 52-byte header", s, Colours);
    }
    {
        TBmpRecipe s = recipe(40, 3, 24);
        s.Data = StoreRows(Colours, 24, false);
        add("24 bits bottom-up", s, Colours);
        s.Height = -3;
        s.Data = StoreRows(Colours, 24, true);
        add("24 bits top-down", s, Colours);
        s = recipe(12, 3, 24);
        s.Data = StoreRows(Colours, 24, false);
        add("core header, 24 bits", s, Colours);
        s = recipe(124, 3, 24);
        s.Data = StoreRows(Colours, 24, false);
        add("V5 header, 24 bits", s, Colours);
    }
    {
        TBmpRecipe s = recipe(40, 3, 32);
        s.Data = StoreRows(Packed(0xFF0000, 0x00FF00, 0x0000FF, 0xAA000000), 32, false);
        add("32 bits, the fourth byte ignored", s, Colours);
        s = recipe(108, 3, 32, 3);
        s.Masks = {0x0000FF00, 0x00FF0000, 0xFF000000};
        s.Data = StoreRows(Packed(0x0000FF00, 0x00FF0000, 0xFF000000), 32, false);
        add("V4 header, 32 bits, masks in another order", s, Colours);
        s = recipe(56, 3, 32, 3);
        s.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        s.Data = StoreRows(Packed(0xFF0000, 0x00FF00, 0x0000FF, 0x55000000), 32, false);
        add("56-byte header, 32 bits with an alpha mask", s, Colours);
    }
    {
        // Bottom row first: a literal run padded to 16 bits, two repeats; then a repeat and a literal
        // run of even length; the top row starts with a one-pixel move and ends with end of bitmap.
        TBmpRecipe s = recipe(40, 3, 8, 1);
        s.Palette = Palette4;
        s.Data = {0, 3, 2, 3, 0, 0, 1, 1, 1, 2, 0, 0,
                  1, 1, 0, 4, 2, 3, 0, 1, 0, 0,
                  0, 2, 1, 0, 0, 3, 1, 2, 3, 0, 1, 0, 0, 1};
        add("RLE8", s, Colours);
        // A move two rows up leaves the pixels it passes black, whatever palette entry 0 is.
        s.Palette = {White, Black, Red, Blue};
        s.Data = {2, 2, 0, 2, 1, 2, 1, 3, 0, 1};
        add("RLE8 with a move across rows", s,
            {{Black, Black, Black, Blue, Black}, {Black, Black, Black, Black, Black}, {Red, Red, Black, Black, Black}});
        // Every row complete, but no end-of-bitmap mark: accepted.
        s.Palette = Palette4;
        s.Data = {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0};
        add("RLE8 without end of bitmap after the last row", s,
            {{Blue, Blue, Blue, Blue, Blue}, {Red, Red, Red, Red, Red}, {White, White, White, White, White}});
    }
    {
        TBmpRecipe s = recipe(40, 3, 4, 2);
        s.Palette = Palette4;
        s.Data = {5, 0x23, 0, 0,
                  0, 5, 0x12, 0x30, 0x10, 0, 0, 0,
                  3, 0x11, 2, 0x30, 0, 1};
        add("RLE4", s, {{White, White, White, Blue, Black}, {White, Red, Blue, Black, White}, {Red, Blue, Red, Blue, Red}});
    }
    return v;
}

} // namespace

TEST(BmpReader, ReadsEveryVariantToItsPixels)
{
    for (const TVariant& v : Variants()) {
        SCOPED_TRACE(v.Name);
        std::unique_ptr<TBitmap> b;
        ASSERT_NO_THROW(b = Read(BuildBmp(v.Recipe)));
        EXPECT_EQ(b->PixelFormat(), pf24bit);
        EXPECT_EQ(PixelsOf(*b), v.Expected);
    }
}

TEST(BmpReader, NarrowMasksAreWidenedToFullRange)
{
    TBmpRecipe s;
    s.Width = 3;
    s.Height = 1;
    s.Bits = 16;
    // 5-bit values 31, 16, 1 in red; green and blue empty.
    s.Data = StoreRows({{31u << 10, 16u << 10, 1u << 10}}, 16, false);
    EXPECT_EQ(PixelsOf(*Read(BuildBmp(s))), (TGrid{{0xFF0000, 0x840000, 0x080000}}));
}

TEST(BmpReader, DamagedFilesRaiseTheBitmapError)
{
    TBmpRecipe good;
    good.Width = 5;
    good.Height = 3;
    good.Bits = 8;
    good.Palette = Palette4;
    good.Data = StoreRows(Indices, 8, false);
    const std::vector<uint8_t> goodFile = BuildBmp(good);

    auto with = [&](const std::function<void(TBmpRecipe&)>& change) {
        TBmpRecipe s = good;
        change(s);
        return BuildBmp(s);
    };
    auto patched = [&](size_t at, uint32_t v) {
        std::vector<uint8_t> f = goodFile;
        Patch32(f, at, v);
        return f;
    };
    auto rle = [&](std::vector<uint8_t> data) {
        return with([&](TBmpRecipe& s) { s.Compression = 1; s.Data = std::move(data); });
    };
    const struct {
        const char* Name;
        std::vector<uint8_t> File;
    } cases[] = {
        {"empty", {}},
        {"not starting with BM", patched(0, 0x00004D42 ^ 0x0101)},
        {"header cut short", std::vector<uint8_t>(goodFile.begin(), goodFile.begin() + 30)},
        {"palette cut short", std::vector<uint8_t>(goodFile.begin(), goodFile.begin() + 60)},
        {"bits cut short", std::vector<uint8_t>(goodFile.begin(), goodFile.end() - 5)},
        {"unknown info header size", patched(14, 20)},
        {"width 0", patched(18, 0)},
        {"negative width", patched(18, static_cast<uint32_t>(-5))},
        {"height 0", patched(22, 0)},
        {"width beyond any real file", patched(18, 0x7FFFFFFF)},
        {"size whose bits overflow", with([](TBmpRecipe& s) { s.Width = 1 << 20; s.Height = 1 << 20; s.Bits = 32; })},
        {"7 bits per pixel", with([](TBmpRecipe& s) { s.Bits = 7; })},
        {"embedded JPEG", with([](TBmpRecipe& s) { s.Compression = 4; })},
        {"RLE8 at 24 bits", with([](TBmpRecipe& s) { s.Compression = 1; s.Bits = 24; s.Palette.clear(); })},
        {"RLE top-down", with([](TBmpRecipe& s) { s.Compression = 1; s.Height = -3; s.Data = {0, 1}; })},
        {"bits offset inside the headers", patched(10, 20)},
        {"bits offset past the end", patched(10, 100000)},
        {"bitfields at 24 bits", with([](TBmpRecipe& s) { s.Compression = 3; s.Bits = 24; s.Palette.clear(); s.Masks = {0xFF0000, 0xFF00, 0xFF}; })},
        {"mask with a hole", with([](TBmpRecipe& s) { s.Compression = 3; s.Bits = 16; s.Palette.clear(); s.Masks = {0x7C01, 0x3E0, 0x1E}; })},
        {"16-bit mask wider than the pixel", with([](TBmpRecipe& s) { s.Compression = 3; s.Bits = 16; s.Palette.clear(); s.Masks = {0x1F0000, 0x3E0, 0x1F}; })},
        {"all masks empty", with([](TBmpRecipe& s) { s.Compression = 3; s.Bits = 32; s.Palette.clear(); s.Masks = {0, 0, 0}; })},
        {"run past the end of the row", rle({6, 1, 0, 1})},
        {"literal run past the end of the row", rle({3, 1, 0, 3, 1, 1, 1, 0, 0, 1})},
        {"move out of the picture", rle({0, 2, 6, 0, 0, 1})},
        {"move above the top row", rle({0, 2, 0, 4, 0, 1})},
        {"run above the top row", rle({0, 0, 0, 0, 0, 0, 1, 1, 0, 1})},
        {"run-length data ending early", rle({2, 1, 0, 0})},
        {"literal run cut short", rle({0, 5, 1, 2})},
        {"move cut short", rle({0, 2, 1})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            Read(c.File);
            ADD_FAILURE() << "read without error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, Invalid());
        }
        // A display size takes the same checks.
        EXPECT_THROW(Read(c.File, {150, 112}), EInvalidGraphic);
    }
}

TEST(BmpReader, ReducesByAreaAveragingWhileReading)
{
    // Grey values 0, 50, 100, 150, 200 into two pixels: 2.5 source pixels each.
    TBmpRecipe row;
    row.Width = 5;
    row.Height = 1;
    row.Data = StoreRows({{0x000000, 0x323232, 0x646464, 0x969696, 0xC8C8C8}}, 24, false);
    EXPECT_EQ(PixelsOf(*Read(BuildBmp(row), {2, 1})), (TGrid{{0x282828, 0xA0A0A0}}));

    // Quadrants of a 4 x 4 picture, stored both ways up, land the right way up at 2 x 2.
    const TGrid quadrants = {{Red, Red, Green, Green}, {Red, Red, Green, Green},
                             {Blue, Blue, White, White}, {Blue, Blue, White, Black}};
    for (bool topDown : {false, true}) {
        TBmpRecipe s;
        s.Width = 4;
        s.Height = topDown ? -4 : 4;
        s.Data = StoreRows(quadrants, 24, topDown);
        const TGrid got = PixelsOf(*Read(BuildBmp(s), {2, 2}));
        EXPECT_EQ(got, (TGrid{{Red, Green}, {Blue, 0xBFBFBF}})) << "top-down " << topDown;
    }

    // A display size larger than the picture keeps the picture as it is; one side may still shrink.
    TBmpRecipe s;
    s.Width = 4;
    s.Height = 4;
    s.Data = StoreRows(quadrants, 24, false);
    EXPECT_EQ(PixelsOf(*Read(BuildBmp(s), {300, 224})), quadrants);
    const auto narrow = Read(BuildBmp(s), {300, 2});
    EXPECT_EQ(narrow->Width(), 4);
    EXPECT_EQ(narrow->Height(), 2);
}

TEST(BmpReader, PanoramaLoadsReducedInLittleMemory)
{
    // 40,000 x 300, left half red and right half blue, run-length coded.
    TBmpRecipe s;
    s.Width = 40000;
    s.Height = 300;
    s.Bits = 8;
    s.Compression = 1;
    s.Palette = {Red, Blue};
    for (int y = 0; y < s.Height; ++y) {
        const auto r = Rle8Row({{20000, 0}, {20000, 1}});
        s.Data.insert(s.Data.end(), r.begin(), r.end());
    }
    const auto file = BuildBmp(s);
    TAllocationWatch watch;
    const auto b = Read(file, {300, 224});
    EXPECT_LT(watch.Largest(), size_t{1} << 20);
    ASSERT_EQ(b->Width(), 300);
    ASSERT_EQ(b->Height(), 224);
    EXPECT_EQ(b->PixelRGB(149, 0), Red);
    EXPECT_EQ(b->PixelRGB(150, 223), Blue);
}

TEST(BmpReader, DeclaredSizeBeyondTheDataFailsWithoutLargeAllocations)
{
    // A million by a million pixels declared; the run-length data stops after a few runs.
    TBmpRecipe s;
    s.Width = 1 << 20;
    s.Height = 1 << 20;
    s.Bits = 8;
    s.Compression = 1;
    s.Palette = {Red};
    s.Data = {255, 0, 255, 0, 0, 0, 255, 0};
    TAllocationWatch watch;
    EXPECT_THROW(Read(BuildBmp(s), {150, 112}), EInvalidGraphic);
    // At its own size such a picture is refused from its header.
    EXPECT_THROW(Read(BuildBmp(s)), EInvalidGraphic);
    // Uncompressed bits are checked against the file before anything is allocated.
    s.Compression = 0;
    s.Bits = 24;
    s.Palette.clear();
    EXPECT_THROW(Read(BuildBmp(s), {150, 112}), EInvalidGraphic);
    EXPECT_LT(watch.Largest(), size_t{16} << 20);

    // The same declared size ended by an end-of-bitmap mark is a valid (mostly black) picture.
    s.Bits = 8;
    s.Compression = 1;
    s.Palette = {Red};
    s.Data = {255, 0, 0, 1};
    const auto b = Read(BuildBmp(s), {150, 112});
    EXPECT_EQ(b->Width(), 150);
    EXPECT_EQ(b->PixelRGB(0, 0), Black);
}

TEST(BmpReader, WrittenBitmapReadsBack)
{
    TBitmap b(3, 2, pf32bit);
    b.SetPixelRGB(0, 0, 0x123456);
    b.SetPixelRGB(2, 1, 0xABCDEF);
    const auto back = Read(EncodeBmp(b));
    EXPECT_EQ(PixelsOf(*back), PixelsOf(b));
}
