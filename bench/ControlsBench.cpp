// The form's paint cycle, pointer routing and form description reading, each beside a
// reference of the same run: one fill of the whole back buffer, and writing the same form.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/FormDescription.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/Shape.h"
#include "platform/host/HeadlessHost.h"

namespace {

// A board-sized form: thirteen backdrops and thirteen empty picture tiles over them, like the
// program's board, plus twelve hidden labels.
std::string BoardDescription()
{
    std::string text = "Board: TForm {\n ClientWidth = 600\n ClientHeight = 448\n Color = clWhite\n";
    const int tiles[13][4] = {{0, 0, 150, 112},     {150, 0, 150, 112},   {300, 0, 150, 112},   {450, 0, 150, 112},
                              {450, 112, 150, 112}, {450, 224, 150, 112}, {450, 336, 150, 112}, {300, 336, 150, 112},
                              {150, 336, 150, 112}, {0, 336, 150, 112},   {0, 224, 150, 112},   {0, 112, 150, 112},
                              {150, 112, 300, 224}};
    auto bounds = [&](int i) {
        return " Left = " + std::to_string(tiles[i][0]) + "\n Top = " + std::to_string(tiles[i][1]) +
               "\n Width = " + std::to_string(tiles[i][2]) + "\n Height = " + std::to_string(tiles[i][3]) + "\n";
    };
    for (int i = 0; i < 13; ++i)
        text += " Shape" + std::to_string(i + 1) + ": TShape {\n" + bounds(i) +
                " Brush.Color = 0xBFD5FF\n Pen.Style = psClear\n }\n";
    for (int i = 0; i < 13; ++i)
        text += " Image" + std::to_string(i + 1) + ": TImage {\n" + bounds(i) + " Stretch = true\n }\n";
    for (int i = 0; i < 12; ++i)
        text += " Label" + std::to_string(i + 1) + ": TLabel {\n Left = " + std::to_string(tiles[i][0] + 4) +
                "\n Top = " + std::to_string(tiles[i][1] + 4) +
                "\n Caption = \"1\"\n Font.Height = -16\n ParentFont = false\n Transparent = true\n Visible = false\n }\n";
    return text + "}\n";
}

void Paint_FillOnly(benchmark::State& state)
{
    TBitmap buffer(600, 448);
    TCanvas canvas(&buffer);
    canvas.Brush()->SetColor(clWhite);
    for (auto _ : state) {
        canvas.FillRect({0, 0, 600, 448});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Paint_FillOnly);

void Paint_WholeBoard(benchmark::State& state)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->LoadDescription(BoardDescription());
    form->Show();
    for (auto _ : state) {
        form->Invalidate();
        form->PaintPending();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Paint_WholeBoard);

void Pointer_MovesAcrossTheBoard(benchmark::State& state)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->LoadDescription(BoardDescription());
    form->Show();
    int x = 0;
    for (auto _ : state) {
        // Each move crosses into another tile: hit test, the move, leave and enter.
        x = (x + 151) % 600;
        form->HostMouseMove({}, x, 50);
    }
}
BENCHMARK(Pointer_MovesAcrossTheBoard);

void Description_Write(benchmark::State& state)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->LoadDescription(BoardDescription());
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteFormDescription(form));
}
BENCHMARK(Description_Write);

void Description_Read(benchmark::State& state)
{
    THeadlessHost host;
    const std::string text = BoardDescription();
    for (auto _ : state) {
        auto* form = new TForm(nullptr);
        form->LoadDescription(text);
        delete form;
    }
}
BENCHMARK(Description_Read);

}  // namespace
