// Block transfers against plain memory copies of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

void FillPattern(TBitmap& b)
{
    for (int32_t y = 0; y < b.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(b.ScanLine(y));
        for (int32_t x = 0; x < b.Width(); ++x)
            row[x] = static_cast<uint32_t>(x * 2654435761u + y) & 0xFFFFFF;
    }
}

void BoardCopy_Memcpy(benchmark::State& state)
{
    TBitmap src(600, 448, pf32bit), dst(600, 448, pf32bit);
    FillPattern(src);
    for (auto _ : state) {
        std::memcpy(dst.ScanLine(0), src.ScanLine(0), static_cast<size_t>(src.BytesPerLine()) * 448);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BoardCopy_Memcpy);

void BoardCopy_BitBlt(benchmark::State& state)
{
    TBitmap src(600, 448, pf32bit), dst(600, 448, pf32bit);
    FillPattern(src);
    for (auto _ : state) {
        BitBlt(dst.Canvas(), 0, 0, 600, 448, src.Canvas(), 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BoardCopy_BitBlt);

// The plain nearest-pixel loop that a stretch has to beat or match.
void PhotoToTile_PlainLoop(benchmark::State& state)
{
    TBitmap src(4000, 3000, pf32bit), dst(150, 112, pf32bit);
    FillPattern(src);
    for (auto _ : state) {
        for (int y = 0; y < 112; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(src.ScanLine(y * 3000 / 112));
            auto* out = reinterpret_cast<uint32_t*>(dst.ScanLine(y));
            for (int x = 0; x < 150; ++x)
                out[x] = in[x * 4000 / 150];
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PhotoToTile_PlainLoop);

void PhotoToTile_StretchBlt(benchmark::State& state)
{
    TBitmap src(4000, 3000, pf32bit), dst(150, 112, pf32bit);
    FillPattern(src);
    for (auto _ : state) {
        StretchBlt(dst.Canvas(), 0, 0, 150, 112, src.Canvas(), 0, 0, 4000, 3000, SRCCOPY);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PhotoToTile_StretchBlt);

} // namespace
