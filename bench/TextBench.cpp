// The board's twelve month captions, each with its silver shadow, against one plain copy of the
// whole board: what a caption repaint costs next to presenting the picture.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/core/Cp932.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/text/DrawText.h"
#include "tests/support/Patterns.h"

namespace {

// Top-left corners of the twelve border tiles, clockwise from the top-left corner.
std::vector<TPoint> TileCorners()
{
    std::vector<TPoint> corners;
    for (int i = 0; i < 4; ++i) corners.push_back({i * 150, 0});
    for (int i = 1; i < 3; ++i) corners.push_back({450, i * 112});
    for (int i = 3; i >= 0; --i) corners.push_back({i * 150, 336});
    for (int i = 2; i >= 1; --i) corners.push_back({0, i * 112});
    return corners;
}

std::vector<std::string> MonthCaptions()
{
    std::vector<std::string> captions;
    for (int m = 1; m <= 12; ++m)
        captions.push_back(Sjis(std::to_string(m) + "月"));
    return captions;
}

void SetBoardFont(TCanvas& c)
{
    c.Font()->SetName(Sjis("ＭＳ Ｐゴシック"));
    c.Font()->SetHeight(-16);
    c.Font()->SetStyle(fsBold);
    c.Brush()->SetStyle(bsClear);
}

// Reference: one plain copy of a 600 x 448 board.
void BoardCaptions_CopyRect(benchmark::State& state)
{
    TBitmap src(600, 448, pfDevice), dst(600, 448, pfDevice);
    FillPattern(src);
    const TRect all{0, 0, 600, 448};
    for (auto _ : state) {
        dst.Canvas()->CopyRect(all, src.Canvas(), all);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BoardCaptions_CopyRect);

// Twelve captions, each a silver copy one pixel right and down, then the caption in white; with
// `measure`, each first measured with DT_CALCRECT as a shadow label does.
void DrawCaptions(benchmark::State& state, bool measure)
{
    TBitmap board(600, 448, pfDevice);
    FillPattern(board);
    TCanvas& c = *board.Canvas();
    SetBoardFont(c);
    const auto corners = TileCorners();
    const auto captions = MonthCaptions();
    for (auto _ : state) {
        for (size_t i = 0; i < captions.size(); ++i) {
            TRect r = Bounds(corners[i].X + 4, corners[i].Y + 4, 60, 20);
            if (measure) {
                TRect measured = r;
                DrawTextExA(&c, captions[i].c_str(), -1, &measured, DT_EXPANDTABS | DT_CALCRECT, nullptr);
                benchmark::DoNotOptimize(measured);
            }
            TRect shadow = r;
            OffsetRect(&shadow, 1, 1);
            c.Font()->SetColor(clSilver);
            DrawTextA(&c, captions[i].c_str(), -1, &shadow, DT_EXPANDTABS);
            c.Font()->SetColor(clWhite);
            DrawTextA(&c, captions[i].c_str(), -1, &r, DT_EXPANDTABS);
        }
        benchmark::ClobberMemory();
    }
}

void BoardCaptions_ShadowedDraw(benchmark::State& state) { DrawCaptions(state, false); }
BENCHMARK(BoardCaptions_ShadowedDraw);

// The same as a shadow label paints it: measure first, then the two passes.
void BoardCaptions_MeasuredShadowedDraw(benchmark::State& state) { DrawCaptions(state, true); }
BENCHMARK(BoardCaptions_MeasuredShadowedDraw);

} // namespace
