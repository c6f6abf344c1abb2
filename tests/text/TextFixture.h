#pragma once
// A white bitmap with a canvas set to the board's caption font, and ways to read back the ink.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/Cp932.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/text/DrawText.h"

class TextFixture : public ::testing::Test {
protected:
    explicit TextFixture(TPixelFormat format = pf24bit) : Bmp(240, 120, format) { Reset(); }

    // White background, clear brush, black "ＭＳ Ｐゴシック" at 16 pixels.
    void Reset(TFontStyles style = 0)
    {
        Bmp.Canvas()->Brush()->SetColor(clWhite);
        Bmp.Canvas()->FillRect({0, 0, Bmp.Width(), Bmp.Height()});
        Bmp.Canvas()->Brush()->SetStyle(bsClear);
        Font().SetName(Sjis("ＭＳ Ｐゴシック"));
        Font().SetHeight(-16);
        Font().SetStyle(style);
        Font().SetColor(clBlack);
    }
    TCanvas& C() { return *Bmp.Canvas(); }
    TFont& Font() { return *Bmp.Canvas()->Font(); }

    int Draw(const std::string& text, TRect rect, uint32_t format)
    {
        return DrawTextA(&C(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    }
    TRect Calc(const std::string& text, uint32_t format, TRect rect = {10, 20, 110, 20})
    {
        DrawTextExA(&C(), text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT, nullptr);
        return rect;
    }
    int32_t W(const std::string& text) { return TextWidth(C(), text); }
    int32_t LineH() { return TextHeight(C(), "A"); }

    // The smallest rectangle holding every pixel that is not white; empty when there is none.
    TRect Ink() const
    {
        TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < Bmp.Height(); ++y)
            for (int32_t x = 0; x < Bmp.Width(); ++x)
                if (Bmp.PixelRGB(x, y) != 0xFFFFFF) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box.Left == INT32_MAX ? TRect{} : box;
    }
    int InkCount(TRect area) const
    {
        int n = 0;
        for (int32_t y = std::max(0, area.Top); y < std::min(Bmp.Height(), area.Bottom); ++y)
            for (int32_t x = std::max(0, area.Left); x < std::min(Bmp.Width(), area.Right); ++x)
                n += Bmp.PixelRGB(x, y) != 0xFFFFFF;
        return n;
    }
    // Every pixel, for comparing two drawings.
    std::vector<uint32_t> Pixels() const
    {
        std::vector<uint32_t> p;
        for (int32_t y = 0; y < Bmp.Height(); ++y)
            for (int32_t x = 0; x < Bmp.Width(); ++x)
                p.push_back(Bmp.PixelRGB(x, y));
        return p;
    }
    // The pixels of drawing text with format into rect on a fresh background.
    std::vector<uint32_t> Drawing(const std::string& text, TRect rect, uint32_t format)
    {
        const TFontStyles style = Font().Style();
        Reset(style);
        Draw(text, rect, format);
        return Pixels();
    }

    TBitmap Bmp;
};

inline bool Inside(const TRect& inner, const TRect& outer)
{
    return inner.IsEmpty() || (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
                               inner.Bottom <= outer.Bottom);
}

inline std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
