#include "platform/text/DrawText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/Cp932.h"
#include "platform/graphics/Bitmap.h"
#include "platform/text/FontCache.h"

namespace {

enum TCharKind : uint8_t { ckGlyph, ckSpace, ckTab, ckBreak };

// One character of a text being laid out.
struct TChar {
    uint16_t Code = 0;  // single byte, or lead byte << 8 | trail byte
    TCharKind Kind = ckGlyph;
    bool Double = false;
    bool Underline = false;  // the character after a prefix "&"
    const TGlyph* Glyph = nullptr;
};

using TLine = std::vector<TChar>;

struct TLayout {
    TTextFont* Font = nullptr;
    int32_t Tab = 8;  // tab stop distance
    int32_t Overhang = 0;

    // Pens run in 64 bits: a long enough text would overflow 32.
    int64_t Advance(const TChar& c, int64_t x) const
    {
        if (c.Kind == ckTab)
            return (x / Tab + 1) * Tab - x;
        return c.Glyph ? c.Glyph->Advance : 0;
    }
    int32_t Width(const TChar* chars, size_t n) const
    {
        int64_t x = 0;
        for (size_t i = 0; i < n; ++i)
            x += Advance(chars[i], x);
        return n ? static_cast<int32_t>(std::min<int64_t>(x + Overhang, INT32_MAX)) : 0;
    }
    int32_t Width(const TLine& line) const { return Width(line.data(), line.size()); }
};

// Splits the bytes into characters. Without DT_NOPREFIX, "&x" marks x for underlining, "&&" is
// one "&" and a final lone "&" is dropped. Without DT_SINGLELINE, CR, LF and CR LF end a line.
std::vector<TChar> Characters(std::string_view text, uint32_t format, TTextFont& font)
{
    std::vector<TChar> chars;
    chars.reserve(text.size());
    const bool prefix = !(format & DT_NOPREFIX);
    const bool multiLine = !(format & DT_SINGLELINE);
    bool underlineNext = false;
    for (size_t i = 0; i < text.size();) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        if (prefix && b == '&') {
            if (i + 1 == text.size())
                break;
            if (text[i + 1] != '&') {
                underlineNext = true;
                ++i;
                continue;
            }
            ++i;  // "&&": the second one is drawn
        }
        TChar c;
        const size_t len = CharLength(text, i);
        c.Double = len == 2;
        c.Code = c.Double ? static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(text[i + 1])) : b;
        c.Underline = underlineNext;
        underlineNext = false;
        if (multiLine && (b == '\r' || b == '\n')) {
            c.Kind = ckBreak;
            if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (b == '\t' && (format & DT_EXPANDTABS)) {
            c.Kind = ckTab;
        } else {
            c.Kind = b == ' ' ? ckSpace : ckGlyph;
            c.Glyph = &font.Glyph(c.Code);
        }
        chars.push_back(c);
        i += len;
    }
    return chars;
}

bool IsBlank(const TChar& c) { return c.Kind == ckSpace || c.Kind == ckTab; }

// Japanese has no spaces: a line may break before or after any double-byte character.
bool BreakBetween(const TChar& a, const TChar& b) { return a.Double || b.Double; }

// Breaks one paragraph into lines no wider than maxWidth, at blanks and around double-byte
// characters. A word wider than the line stays whole. Blanks at a break are dropped.
void WrapParagraph(const TChar* p, size_t n, int32_t maxWidth, const TLayout& layout, std::vector<TLine>& lines)
{
    size_t i = 0;
    while (true) {
        const size_t begin = i;
        size_t wordEnd = i;
        int64_t x = 0;
        bool first = true;
        while (i < n) {
            size_t w = i;
            if (!IsBlank(p[w])) {
                ++w;
                while (w < n && !IsBlank(p[w]) && !BreakBetween(p[w - 1], p[w]))
                    ++w;
            }
            int64_t xw = x;
            for (size_t k = i; k < w; ++k)
                xw += layout.Advance(p[k], xw);
            if (!first && w > i && xw + layout.Overhang > maxWidth)
                break;
            size_t s = w;
            while (s < n && IsBlank(p[s])) {
                xw += layout.Advance(p[s], xw);
                ++s;
            }
            x = xw;
            wordEnd = w;
            i = s;
            first = false;
        }
        if (i >= n) {
            lines.emplace_back(p + begin, p + n);
            return;
        }
        lines.emplace_back(p + begin, p + wordEnd);
    }
}

TLine Dots(TTextFont& font)
{
    TChar dot;
    dot.Code = '.';
    dot.Glyph = &font.Glyph('.');
    return TLine(3, dot);
}

// The largest k in [0, count) for which fits(k) holds, where fits can only turn from true to
// false as k grows (a longer text is never narrower); count when none does.
template <class Fits>
size_t LargestFitting(size_t count, Fits fits)
{
    if (count == 0 || !fits(0))
        return count;
    size_t lo = 0, hi = count - 1;  // fits(lo) holds
    while (lo < hi) {
        const size_t mid = lo + (hi - lo + 1) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// The line with its characters [headEnd, tailBegin) replaced by "...".
TLine Shortened(const TLine& line, size_t headEnd, size_t tailBegin, const TLayout& layout)
{
    const TLine dots = Dots(*layout.Font);
    TLine r(line.begin(), line.begin() + static_cast<ptrdiff_t>(headEnd));
    r.insert(r.end(), dots.begin(), dots.end());
    r.insert(r.end(), line.begin() + static_cast<ptrdiff_t>(tailBegin), line.end());
    return r;
}

// "..." replaces the end of the line so that the rest fits; "..." alone when nothing does.
TLine EndEllipsis(const TLine& line, int32_t maxWidth, const TLayout& layout)
{
    const size_t n = line.size();
    auto fits = [&](size_t k) { return layout.Width(Shortened(line, k, n, layout)) <= maxWidth; };
    const size_t k = LargestFitting(n, fits);
    return Shortened(line, k == n ? 0 : k, n, layout);
}

// "..." replaces characters before the last "\" so that the line fits, keeping all that follows
// the "\". Without a "\", the middle of the line gives way, keeping its start and its end.
TLine PathEllipsis(const TLine& line, int32_t maxWidth, const TLayout& layout)
{
    const size_t n = line.size();
    size_t slash = n;
    for (size_t i = n; i-- > 0;)
        if (line[i].Code == '\\') {
            slash = i;
            break;
        }
    if (slash > 0 && slash < n) {
        auto fits = [&](size_t k) { return layout.Width(Shortened(line, k, slash, layout)) <= maxWidth; };
        const size_t k = LargestFitting(slash, fits);
        return Shortened(line, k == slash ? 0 : k, slash, layout);
    }
    // Keeping `keep` characters: the first half (rounded up) and the rest from the end.
    auto cut = [&](size_t keep) {
        const size_t head = (keep + 1) / 2;
        return Shortened(line, head, n - (keep - head), layout);
    };
    const size_t keep = LargestFitting(n, [&](size_t k) { return layout.Width(cut(k)) <= maxWidth; });
    return cut(keep == n ? 0 : keep);
}

struct TFormatted {
    std::vector<TLine> Lines;
    std::vector<int32_t> Widths;
    int32_t MaxWidth = 0;
};

TFormatted Format(std::string_view text, const TRect& rect, uint32_t format, TLayout& layout)
{
    TFormatted f;
    const std::vector<TChar> chars = Characters(text, format, *layout.Font);
    const int32_t rectWidth = static_cast<int32_t>(std::clamp<int64_t>(int64_t{rect.Right} - rect.Left, INT32_MIN, INT32_MAX));
    const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    size_t begin = 0;
    for (size_t i = 0; i <= chars.size(); ++i) {
        if (i < chars.size() && chars[i].Kind != ckBreak)
            continue;
        // A break that ends the text starts no further line.
        if (i == chars.size() && begin == i && i > 0)
            break;
        if (wrap)
            WrapParagraph(chars.data() + begin, i - begin, rectWidth, layout, f.Lines);
        else
            f.Lines.emplace_back(chars.begin() + static_cast<ptrdiff_t>(begin), chars.begin() + static_cast<ptrdiff_t>(i));
        begin = i + 1;
    }
    if (chars.empty())
        f.Lines.clear();
    for (TLine& line : f.Lines) {
        int32_t w = layout.Width(line);
        if (w > rectWidth && (format & (DT_PATH_ELLIPSIS | DT_END_ELLIPSIS))) {
            line = (format & DT_PATH_ELLIPSIS) ? PathEllipsis(line, rectWidth, layout) : EndEllipsis(line, rectWidth, layout);
            w = layout.Width(line);
        }
        f.Widths.push_back(w);
        f.MaxWidth = std::max(f.MaxWidth, w);
    }
    return f;
}

TLayout LayoutFor(TCanvas& canvas)
{
    TLayout layout;
    layout.Font = &TFontCache::Instance().FontFor(*canvas.Font());
    const TTextMetric& tm = layout.Font->Metrics();
    layout.Tab = std::max(1, 8 * tm.tmAveCharWidth);
    layout.Overhang = tm.tmOverhang;
    return layout;
}

// Where text may land on the surface: the canvas clip, and the formatting rectangle if given.
struct TTarget {
    TCanvas* Canvas;
    TBitmap* Surface;
    TRect Clip;  // surface coordinates
    TPoint Origin;
    uint32_t Rgb;

    TTarget(TCanvas& canvas, const TRect* limit) : Canvas(&canvas), Surface(canvas.Surface()), Origin(canvas.Origin())
    {
        TRect clip = canvas.ClipRect();
        if (limit)
            clip = IntersectRect(clip, *limit);
        Clip = {clip.Left + Origin.X, clip.Top + Origin.Y, clip.Right + Origin.X, clip.Bottom + Origin.Y};
        if (clip.IsEmpty() || !Surface)
            Clip = {};
        Rgb = ColorToRGBPixel(canvas.Font()->Color());
    }

    // Blends a run of pixels of one row (surface coordinates, inside Clip) with the coverages given;
    // a null coverage means full.
    void Span(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage) const
    {
        uint8_t* row = Surface->ScanLine(y);
        const uint32_t r = (Rgb >> 16) & 0xFF, g = (Rgb >> 8) & 0xFF, b = Rgb & 0xFF;
        // Rounded a * s + (255 - a) * d over 255, without a division.
        auto mix = [](uint32_t s, uint32_t d, uint32_t a) {
            const uint32_t t = s * a + d * (255 - a) + 128;
            return (t + (t >> 8)) >> 8;
        };
        switch (Surface->PixelFormat()) {
        case pf24bit:
            for (int32_t x = x0; x < x1; ++x) {
                const uint32_t a = coverage ? coverage[x - x0] : 255;
                uint8_t* p = row + x * 3;
                if (a == 255) {
                    p[0] = static_cast<uint8_t>(b), p[1] = static_cast<uint8_t>(g), p[2] = static_cast<uint8_t>(r);
                    continue;
                }
                if (!a)
                    continue;
                p[0] = static_cast<uint8_t>(mix(b, p[0], a));
                p[1] = static_cast<uint8_t>(mix(g, p[1], a));
                p[2] = static_cast<uint8_t>(mix(r, p[2], a));
            }
            break;
        case pf1bit:
            for (int32_t x = x0; x < x1; ++x)
                if ((coverage ? coverage[x - x0] : 255) >= 128)
                    Surface->SetPixelRGB(x, y, Rgb == 0xFFFFFF ? 0xFFFFFF : 0);
            break;
        default: {
            auto* p = reinterpret_cast<uint32_t*>(row);
            for (int32_t x = x0; x < x1; ++x) {
                const uint32_t a = coverage ? coverage[x - x0] : 255;
                if (a == 255) {
                    p[x] = Rgb;
                    continue;
                }
                if (!a)
                    continue;
                const uint32_t d = p[x];
                p[x] = mix(r, (d >> 16) & 0xFF, a) << 16 | mix(g, (d >> 8) & 0xFF, a) << 8 | mix(b, d & 0xFF, a);
            }
            break;
        }
        }
    }

    // Canvas coordinates in 64 bits, so that far-away text cannot overflow.
    void Glyph(int64_t penX, int64_t baseline, const TGlyph& g) const
    {
        const int64_t left = penX + g.Left + Origin.X, top = baseline - g.Top + Origin.Y;
        const int64_t x0 = std::max<int64_t>(left, Clip.Left), x1 = std::min<int64_t>(left + g.Width, Clip.Right);
        const int64_t y0 = std::max<int64_t>(top, Clip.Top), y1 = std::min<int64_t>(top + g.Height, Clip.Bottom);
        if (x0 >= x1)
            return;
        for (int64_t y = y0; y < y1; ++y)
            Span(static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1),
                 g.Coverage.data() + (y - top) * g.Width + (x0 - left));
    }

    void Bar(int64_t left, int64_t top, int64_t right, int64_t bottom) const
    {
        const int64_t x0 = std::max<int64_t>(left + Origin.X, Clip.Left), x1 = std::min<int64_t>(right + Origin.X, Clip.Right);
        const int64_t y0 = std::max<int64_t>(top + Origin.Y, Clip.Top), y1 = std::min<int64_t>(bottom + Origin.Y, Clip.Bottom);
        if (x0 >= x1)
            return;
        for (int64_t y = y0; y < y1; ++y)
            Span(static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1), nullptr);
    }

    // The text cell in the brush colour, when the brush is solid.
    void Background(int64_t left, int64_t top, int64_t right, int64_t bottom) const
    {
        if (Canvas->Brush()->Style() == bsClear)
            return;
        const int64_t x0 = std::max<int64_t>(left + Origin.X, Clip.Left), x1 = std::min<int64_t>(right + Origin.X, Clip.Right);
        const int64_t y0 = std::max<int64_t>(top + Origin.Y, Clip.Top), y1 = std::min<int64_t>(bottom + Origin.Y, Clip.Bottom);
        if (x0 >= x1 || y0 >= y1)
            return;
        const TRect cell{static_cast<int32_t>(x0 - Origin.X), static_cast<int32_t>(y0 - Origin.Y),
                         static_cast<int32_t>(x1 - Origin.X), static_cast<int32_t>(y1 - Origin.Y)};
        Canvas->FillRect(cell);
    }
};

// Draws one laid-out line with its cell's top-left corner at (x, y), in canvas coordinates.
void DrawLine(const TTarget& target, const TLayout& layout, const TLine& line, int32_t width, int64_t x, int64_t y)
{
    TTextFont& font = *layout.Font;
    const TTextMetric& tm = font.Metrics();
    const TFontStyles style = target.Canvas->Font()->Style();
    target.Background(x, y, x + width, y + tm.tmHeight);
    const int64_t baseline = y + tm.tmAscent;
    const int64_t underline = baseline + font.UnderlinePosition();
    const int32_t thickness = font.UnderlineThickness();
    int64_t pen = 0;
    for (const TChar& c : line) {
        const int64_t advance = layout.Advance(c, pen);
        if (c.Glyph && c.Glyph->Width > 0)
            target.Glyph(x + pen, baseline, *c.Glyph);
        if (c.Underline)
            target.Bar(x + pen, underline, x + pen + advance, underline + thickness);
        pen += advance;
    }
    if (line.empty())
        return;
    if (style & fsUnderline)
        target.Bar(x, underline, x + width, underline + thickness);
    if (style & fsStrikeOut) {
        const int64_t top = baseline - font.StrikeOutPosition();
        target.Bar(x, top, x + width, top + thickness);
    }
}

int DrawTextImpl(HDC dc, const char* text, int length, TRect* rect, uint32_t format)
{
    if (!dc || !rect || (!text && length != 0) || length < -1)
        return 0;
    const std::string_view s = !text ? std::string_view() : length == -1 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length));
    TCanvas& canvas = *dc;
    TLayout layout = LayoutFor(canvas);
    const int32_t lineHeight = layout.Font->Metrics().tmHeight;
    const TFormatted f = Format(s, *rect, format, layout);
    const int32_t lines = static_cast<int32_t>(f.Lines.size());
    const int32_t height = lines * lineHeight;

    if (format & DT_CALCRECT) {
        rect->Right = static_cast<int32_t>(std::clamp<int64_t>(int64_t{rect->Left} + f.MaxWidth, INT32_MIN, INT32_MAX));
        rect->Bottom = static_cast<int32_t>(std::clamp<int64_t>(int64_t{rect->Top} + height, INT32_MIN, INT32_MAX));
        return height;
    }

    int64_t top = rect->Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = (int64_t{rect->Top} + rect->Bottom - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = int64_t{rect->Bottom} - lineHeight;
    }
    if (lines > 0 && canvas.Surface()) {
        const TTarget target(canvas, (format & DT_NOCLIP) ? nullptr : rect);
        if (!target.Clip.IsEmpty()) {
            for (int32_t i = 0; i < lines; ++i) {
                const int32_t w = f.Widths[i];
                int64_t x = rect->Left;
                if (format & DT_CENTER)
                    x = (int64_t{rect->Left} + rect->Right - w) / 2;
                else if (format & DT_RIGHT)
                    x = int64_t{rect->Right} - w;
                DrawLine(target, layout, f.Lines[i], w, x, top + int64_t{i} * lineHeight);
            }
            canvas.Changed();
        }
    }
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return static_cast<int>(top - rect->Top + lineHeight);
    return height;
}

} // namespace

int DrawTextA(HDC dc, const char* text, int length, TRect* rect, uint32_t format)
{
    return DrawTextImpl(dc, text, length, rect, format);
}

int DrawTextExA(HDC dc, const char* text, int length, TRect* rect, uint32_t format, void* /*params*/)
{
    return DrawTextImpl(dc, text, length, rect, format);
}

bool GetTextMetricsA(HDC dc, TTextMetric* tm)
{
    if (!dc || !tm)
        return false;
    *tm = TFontCache::Instance().FontFor(*dc->Font()).Metrics();
    return true;
}

namespace {
// Characters of a plain text: no prefixes, no line breaks, no tab stops.
std::vector<TChar> PlainCharacters(std::string_view text, TTextFont& font)
{
    return Characters(text, DT_NOPREFIX | DT_SINGLELINE, font);
}
} // namespace

int32_t TextWidth(TCanvas& canvas, std::string_view text)
{
    const TLayout layout = LayoutFor(canvas);
    const std::vector<TChar> chars = PlainCharacters(text, *layout.Font);
    return layout.Width(chars.data(), chars.size());
}

int32_t TextHeight(TCanvas& canvas, std::string_view)
{
    return TFontCache::Instance().FontFor(*canvas.Font()).Metrics().tmHeight;
}

TSize TextExtent(TCanvas& canvas, std::string_view text)
{
    return {TextWidth(canvas, text), TextHeight(canvas, text)};
}

void TextOut(TCanvas& canvas, int32_t x, int32_t y, std::string_view text)
{
    const TLayout layout = LayoutFor(canvas);
    const TLine line = PlainCharacters(text, *layout.Font);
    const int32_t width = layout.Width(line);
    if (canvas.Surface()) {
        const TTarget target(canvas, nullptr);
        if (!target.Clip.IsEmpty()) {
            DrawLine(target, layout, line, width, x, y);
            canvas.Changed();
        }
    }
    canvas.MoveTo(static_cast<int32_t>(std::clamp<int64_t>(int64_t{x} + width, INT32_MIN, INT32_MAX)), y);
}
