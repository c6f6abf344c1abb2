#include "controls/ShadoLbl/ShadowLabel.h"

#include <algorithm>
#include <limits>

#include "controls/ShadoLbl/Gradient.h"
#include "platform/core/Cp932.h"
#include "platform/graphics/Bitmap.h"
#include "platform/text/DrawText.h"

namespace {

const std::vector<std::string> EllipsisNames = {"elNone", "elEnd", "elPath"};
const std::vector<std::string> TextGradationNames = {"tgNone", "tg2Colors", "tg3Colors"};

int32_t Clamp32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Offsets come from form descriptions and can be anything; the moved edges are computed wide
// and held at the 32-bit ends, where they lie far outside every canvas anyway.
TRect Moved(const TRect& r, int64_t dx, int64_t dy)
{
    return {Clamp32(r.Left + dx), Clamp32(r.Top + dy), Clamp32(r.Right + dx), Clamp32(r.Bottom + dy)};
}

int DrawPiece(TCanvas& canvas, std::string_view text, TRect rect, uint32_t flags)
{
    return DrawTextA(canvas.Handle(), text.data(), static_cast<int>(text.size()), &rect, flags);
}

// Colour-graded text: each piece is drawn character by character from the text rectangle's
// current left edge, which moves on as the characters are drawn.
class TGradientText {
public:
    TGradientText(TCanvas& canvas, const TRect& textRect, uint32_t flags)
        : FCanvas(canvas), FRect(textRect), FRight(textRect.Right), FFlags(flags)
    {
    }

    void DrawGradientText(TColor startColor, TColor endColor, std::string_view piece)
    {
        const size_t n = CharCount(piece);
        if (n == 0)
            return;
        if (n == 1) {
            // A lone character is placed by the flags within the rest of the line.
            FCanvas.Font()->SetColor(startColor);
            DrawPiece(FCanvas, piece, {FRect.Left, FRect.Top, FRight, FRect.Bottom}, FFlags);
            FRect.Left = Clamp32(int64_t{FRect.Left} + TextWidth(FCanvas, piece));
            return;
        }
        TTextMetric metrics{};
        GetTextMetricsA(FCanvas.Handle(), &metrics);
        uint8_t r0, g0, b0, r1, g1, b1;
        GetRGB(startColor, r0, g0, b0);
        GetRGB(endColor, r1, g1, b1);
        const int16_t dR = static_cast<int16_t>(r1 - r0), dG = static_cast<int16_t>(g1 - g0),
                      dB = static_cast<int16_t>(b1 - b0);
        size_t k = 0;
        for (size_t i = 0; i < piece.size(); i += CharLength(piece, i), ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(n - 1);
            const auto channel = [t](int16_t d, uint8_t start) { return static_cast<int>(d * t + start); };
            FCanvas.Font()->SetColor(RGB(channel(dR, r0), channel(dG, g0), channel(dB, b0)));
            const std::string_view character = piece.substr(i, CharLength(piece, i));
            // Wide sums: a long enough caption would carry the edge past the 32-bit end.
            FRect.Right = Clamp32(int64_t{FRect.Left} + TextWidth(FCanvas, character) - metrics.tmOverhang);
            DrawPiece(FCanvas, character, FRect, FFlags);
            FRect.Left = FRect.Right;
        }
    }

private:
    TCanvas& FCanvas;
    TRect FRect;
    const int32_t FRight;  // the right edge before any character moved it
    const uint32_t FFlags;
};

// The three-colour split: the first half of the bytes, moved on by one where it would end on a
// lead byte, so no character is cut.
size_t SplitPoint(std::string_view text)
{
    const size_t m = text.size() / 2;
    return m > 0 && ByteType(text, m - 1) == mbLeadByte ? m + 1 : m;
}

}  // namespace

const TClassInfo& TShadowLabel::StaticClassInfo()
{
    using C = TShadowLabel;
    static const TClassInfo info("TShadowLabel", &TLabel::StaticClassInfo(), {
        EnumProp("Ellipsis", &C::FEllipsis, &C::SetEllipsis, EllipsisNames, NoDefault),
        BoolProp("Flickerless", &C::FFlickerless, &C::FFlickerless, true),
        BoolProp("GradateVert", &C::FGradateVert, &C::SetGradateVert, NoDefault),
        BoolProp("Gradation", &C::FGradation, &C::SetGradation, NoDefault),
        ColorProp("GradationColor", &C::FGradationColor, &C::SetGradationColor, clBlue),
        ObjProp("Highlight", &C::FHighlight, &C::SetHighlight),
        ObjProp("Shadow", &C::FShadow, &C::SetShadow),
        EnumProp("TextGradation", &C::FTextGradation, &C::SetTextGradation, TextGradationNames, NoDefault),
        ColorProp("TextGradationColor", &C::FTextGradationColor, &C::SetTextGradationColor, clMaroon),
        ColorProp("TextMidColor", &C::FTextMidColor, &C::SetTextMidColor, clNavy),
    }, Creates<TShadowLabel>);
    return info;
}

// Registered with the class library, so form descriptions can name the class.
[[maybe_unused]] static const TClassInfo& ShadowLabelClass = TShadowLabel::StaticClassInfo();

TShadowLabel::TShadowLabel(TComponent* owner) : TLabel(owner)
{
    FFlickerless = true;
    FGradationColor = clBlue;
    FHighlight = std::make_unique<TShadow>();
    FTextGradationColor = clMaroon;
    FTextMidColor = clNavy;
    FHighlight->SetShadowColor(clWhite);
    FHighlight->SetShadowLeft(-1);
    FHighlight->SetShadowTop(-1);
    FHighlight->OnChange = Bind(this, &TShadowLabel::ShadowChanged);
    FShadow = std::make_unique<TShadow>();
    FShadow->OnChange = Bind(this, &TShadowLabel::ShadowChanged);
}

TShadowLabel::~TShadowLabel()
{
    FHighlight.reset();
    FShadow.reset();
}

void TShadowLabel::ShadowChanged(TObject*) { Invalidate(); }


void TShadowLabel::SetEllipsis(TEllipsis value)
{
    StoreAndInvalidate(FEllipsis, value);
}

void TShadowLabel::SetGradateVert(bool value)
{
    StoreAndInvalidate(FGradateVert, value);
}

void TShadowLabel::SetGradation(bool value)
{
    StoreAndInvalidate(FGradation, value);
}

// Repaints even while the background is plain.
void TShadowLabel::SetGradationColor(TColor value)
{
    StoreAndInvalidate(FGradationColor, value);
}

void TShadowLabel::SetTextGradation(TTextGradation value)
{
    StoreAndInvalidate(FTextGradation, value);
}

// The text colours repaint only while the text is drawn with them.
void TShadowLabel::SetTextGradationColor(TColor value)
{
    if (StoreChanged(FTextGradationColor, value) && FTextGradation != tgNone)
        Invalidate();
}

void TShadowLabel::SetTextMidColor(TColor value)
{
    if (StoreChanged(FTextMidColor, value) && FTextGradation == tg3Colors)
        Invalidate();
}

void TShadowLabel::CopyInto(TShadow& owned, TShadow* value)
{
    if (!value)
        return;
    owned.Assign(value);
    Invalidate();
}

void TShadowLabel::SetHighlight(TShadow* value) { CopyInto(*FHighlight, value); }
void TShadowLabel::SetShadow(TShadow* value) { CopyInto(*FShadow, value); }

// ---------------------------------------------------------------- painting

std::string TShadowLabel::PaintText() const
{
    std::string text = GetLabelText();
    // An empty caption, or a lone accelerator mark, still takes one line.
    if (text.empty() || (ShowAccelChar() && text == "&"))
        text += ' ';
    return text;
}

uint32_t TShadowLabel::PaintFlags() const
{
    uint32_t flags = DT_EXPANDTABS;
    if (Alignment() == taRightJustify)
        flags |= DT_RIGHT;
    else if (Alignment() == taCenter)
        flags |= DT_CENTER;
    if (WordWrap())
        flags |= DT_WORDBREAK;
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    if (FEllipsis == elEnd)
        flags |= DT_END_ELLIPSIS;
    else if (FEllipsis == elPath)
        flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void TShadowLabel::PaintBackground(TCanvas& canvas, TBitmap* buffer)
{
    if (!FGradation) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(ClientRect());
    } else if (buffer) {
        GradBitmap(buffer, FGradationColor, Color(), FGradateVert);
    } else {
        GradRect(&canvas, ClientRect(), FGradationColor, Color(), FGradateVert);
    }
}

TRect TShadowLabel::PlacedTextRect(TCanvas& canvas, const std::string& text, uint32_t flags)
{
    TRect measured = ClientRect();
    DrawTextExA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT, nullptr);
    // Height less the text's height: both are 32-bit, their difference need not be.
    const int64_t room = int64_t{Height()} - (int64_t{measured.Bottom} - measured.Top);
    int64_t down = 0;
    if (Layout() == tlCenter)
        down = room / 2;
    else if (Layout() == tlBottom)
        down = room;
    return Moved(ClientRect(), 0, down);
}

void TShadowLabel::DrawMainText(TCanvas& canvas, const std::string& text, TRect textRect, uint32_t flags,
                                TColor textColor)
{
    const size_t count = CharCount(text);
    if (FTextGradation == tgNone || count < 2) {
        canvas.Font()->SetColor(textColor);
        DrawPiece(canvas, text, textRect, flags);
        return;
    }
    // Graded text keeps its own colours, enabled or not.
    TGradientText gradient(canvas, textRect, flags);
    if (FTextGradation == tg2Colors || count == 2) {
        gradient.DrawGradientText(Font()->Color(), FTextGradationColor, text);
        return;
    }
    const size_t m = SplitPoint(text);
    const std::string_view first = std::string_view(text).substr(0, m), rest = std::string_view(text).substr(m);
    gradient.DrawGradientText(Font()->Color(), FTextMidColor, first);
    if (CharCount(rest) == 1)
        gradient.DrawGradientText(FTextGradationColor, FTextGradationColor, rest);
    else
        gradient.DrawGradientText(FTextMidColor, FTextGradationColor, rest);
}

void TShadowLabel::Paint()
{
    const std::string text = PaintText();
    const uint32_t flags = PaintFlags();

    // Opaque labels are composed off screen and copied in one transfer; a transparent one has
    // to draw over its parent's pixels, so it draws in place.
    std::unique_ptr<TBitmap> buffer;
    if (FFlickerless && !Transparent()) {
        buffer = std::make_unique<TBitmap>();
        buffer->SetPixelFormat(pf24bit);
        buffer->SetSize(ClientWidth(), ClientHeight());
    }
    TCanvas& canvas = buffer ? *buffer->Canvas() : *Canvas();

    if (!Transparent())
        PaintBackground(canvas, buffer.get());
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);

    const TRect textRect = PlacedTextRect(canvas, text, flags);
    const bool enabled = Enabled();
    if (FShadow->Visible()) {
        canvas.Font()->SetColor(enabled ? FShadow->Color() : clGray);
        DrawPiece(canvas, text, Moved(textRect, FShadow->OffsetLeft(), FShadow->OffsetTop()), flags);
    }
    if (FHighlight->Visible()) {
        canvas.Font()->SetColor(enabled ? FHighlight->Color() : clBtnHighlight);
        DrawPiece(canvas, text, Moved(textRect, FHighlight->OffsetLeft(), FHighlight->OffsetTop()), flags);
    }
    DrawMainText(canvas, text, textRect, flags, enabled ? Font()->Color() : clBtnShadow);

    if (buffer)
        Canvas()->CopyRect(ClientRect(), buffer->Canvas(), ClientRect());
}
