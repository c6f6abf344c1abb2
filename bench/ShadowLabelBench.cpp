// The board's twelve month captions painted over a full board, against one copy of the board's
// back buffer (what every presentation of the window costs anyway).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "controls/ShadoLbl/ShadowLabel.h"
#include "platform/controls/Form.h"
#include "platform/core/Cp932.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int BoardWidth = 600, BoardHeight = 448;

// Top-left corners of the twelve border tiles, clockwise from the top-left one.
const TPoint TileCorners[12] = {{0, 0},     {150, 0},   {300, 0},   {450, 0},   {450, 112}, {450, 224},
                                {450, 336}, {300, 336}, {150, 336}, {0, 336},   {0, 224},   {0, 112}};

// A board-sized form with a month caption on every border tile, set up as the board sets them.
struct TCaptionBoard {
    explicit TCaptionBoard(bool transparent) : Form(nullptr)
    {
        Form.SetBounds(0, 0, BoardWidth, BoardHeight);
        Form.SetColor(RGB(0xFF, 0xD5, 0xBF));
        for (int k = 0; k < 12; ++k) {
            auto* label = new TShadowLabel(&Form);
            label->SetParent(&Form);
            label->SetLeft(TileCorners[k].X + 8);
            label->SetTop(TileCorners[k].Y + 8);
            label->Font()->SetName(Sjis("ＭＳ Ｐゴシック"));
            label->Font()->SetHeight(-16);
            label->Font()->SetStyle(fsBold);
            label->Font()->SetColor(clWhite);
            label->SetTransparent(transparent);
            label->Highlight()->SetShadowVisible(false);
            label->SetCaption(Sjis(std::to_string(k + 1) + "月"));
            Labels.push_back(label);
        }
        Form.Repaint();
    }

    void PaintCaptions()
    {
        TBitmap* board = Form.BackBuffer();
        for (TShadowLabel* label : Labels)
            label->PaintControl(board, {label->Left(), label->Top()}, label->BoundsRect());
    }

    TForm Form;
    std::vector<TShadowLabel*> Labels;
};

void BoardCaptions_BackBufferCopy(benchmark::State& state)
{
    TCaptionBoard board(true);
    TBitmap copy(BoardWidth, BoardHeight, board.Form.BackBuffer()->PixelFormat());
    const TRect all{0, 0, BoardWidth, BoardHeight};
    for (auto _ : state) {
        copy.Canvas()->CopyRect(all, board.Form.Canvas(), all);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BoardCaptions_BackBufferCopy);

// Transparent: what the board shows, captions with the silver shadow under them. Opaque: the same
// captions, each composed in its off-screen buffer first.
void BoardCaptions_Twelve(benchmark::State& state, bool transparent)
{
    TCaptionBoard board(transparent);
    for (auto _ : state) {
        board.PaintCaptions();
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BoardCaptions_Twelve, Transparent, true);
BENCHMARK_CAPTURE(BoardCaptions_Twelve, OpaqueBuffered, false);

}  // namespace
