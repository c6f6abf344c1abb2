// The board's save command against plain libjpeg on the same pixels, in the same run.
//   Save_PlainLibjpeg      : libjpeg encodes the 600 x 448 back buffer at quality 80 and writes it
//                            with stdio (the reference)
//   Save_PlainLibjpegFsync : the same, flushed to the disk as the board's save does
//   Save_Board             : Ctrl+S on the board: snapshot, bitmap, JPEG image object, quality 80,
//                            a new file flushed and renamed over the old one
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "app/board/MainWindow1.h"
#include "platform/controls/Application.h"
#include "platform/controls/WinApi.h"
#include "platform/host/HeadlessHost.h"
#include "tests/support/JpegFiles.h"

namespace {

const std::string Target = (std::filesystem::temp_directory_path() / "tirora-bench-save.jpg").string();

// A board with captions showing, as users save it.
struct TBoardSession {
    TBoardSession()
    {
        Application->CreateForm(MainForm1);
        MainForm1->Show();
        MainForm1->N5Click(nullptr);
        host.ProcessPaints();
    }
    THeadlessHost host;
};

void WritePlain(const TBitmap& board, bool flush)
{
    FILE* file = std::fopen(Target.c_str(), "wb");
    TJpegRecipe recipe{board.Width(), board.Height(), 80};
    recipe.Input = JCS_EXT_BGRX;  // the back buffer's rows as they are
    PlainEncode(recipe, [&board](int y) { return board.ScanLine(y); }, file);
    std::fflush(file);
    if (flush)
        ::fsync(fileno(file));
    std::fclose(file);
}

void Save_PlainLibjpeg(benchmark::State& state)
{
    TBoardSession session;
    for (auto _ : state)
        WritePlain(*MainForm1->BackBuffer(), false);
}
BENCHMARK(Save_PlainLibjpeg)->Unit(benchmark::kMillisecond);

void Save_PlainLibjpegFsync(benchmark::State& state)
{
    TBoardSession session;
    for (auto _ : state)
        WritePlain(*MainForm1->BackBuffer(), true);
}
BENCHMARK(Save_PlainLibjpegFsync)->Unit(benchmark::kMillisecond);

void Save_Board(benchmark::State& state)
{
    TBoardSession session;
    for (auto _ : state) {
        session.host.SaveDialogAnswers.push_back(Target);
        session.host.MessageBoxAnswers.push_back(TModalResult::Yes);
        session.host.Key('S', {ssCtrl});
    }
    std::filesystem::remove(Target);
}
BENCHMARK(Save_Board)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Everything but the write: the key, the capture and a cancelled dialog.
void Save_BoardCancelled(benchmark::State& state)
{
    TBoardSession session;
    for (auto _ : state) {
        session.host.SaveDialogAnswers.push_back(std::nullopt);
        session.host.Key('S', {ssCtrl});
    }
}
BENCHMARK(Save_BoardCancelled)->Unit(benchmark::kMillisecond);

} // namespace
