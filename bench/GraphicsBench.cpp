// Block transfers against plain memory copies of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/Patterns.h"

namespace {

struct TSize {
    int32_t Width, Height;
};

// Times `copy` from a busy 32-bit source into a destination of the given size.
template <class Copy>
void TimeCopy(benchmark::State& state, TSize from, TSize to, Copy copy)
{
    TBitmap src(from.Width, from.Height, pf32bit), dst(to.Width, to.Height, pf32bit);
    FillPattern(src);
    for (auto _ : state) {
        copy(src, dst);
        benchmark::ClobberMemory();
    }
}

void BoardCopy_Memcpy(benchmark::State& state)
{
    TimeCopy(state, {600, 448}, {600, 448}, [](TBitmap& src, TBitmap& dst) {
        std::memcpy(dst.ScanLine(0), src.ScanLine(0), static_cast<size_t>(src.BytesPerLine()) * 448);
    });
}
BENCHMARK(BoardCopy_Memcpy);

void BoardCopy_BitBlt(benchmark::State& state)
{
    TimeCopy(state, {600, 448}, {600, 448}, [](TBitmap& src, TBitmap& dst) {
        BitBlt(dst.Canvas(), 0, 0, 600, 448, src.Canvas(), 0, 0, SRCCOPY);
    });
}
BENCHMARK(BoardCopy_BitBlt);

// The plain nearest-pixel loop that a stretch has to beat or match.
void PhotoToTile_PlainLoop(benchmark::State& state)
{
    TimeCopy(state, {4000, 3000}, {150, 112}, [](TBitmap& src, TBitmap& dst) {
        for (int y = 0; y < 112; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(src.ScanLine(y * 3000 / 112));
            auto* out = reinterpret_cast<uint32_t*>(dst.ScanLine(y));
            for (int x = 0; x < 150; ++x)
                out[x] = in[x * 4000 / 150];
        }
    });
}
BENCHMARK(PhotoToTile_PlainLoop);

void PhotoToTile_StretchBlt(benchmark::State& state)
{
    TimeCopy(state, {4000, 3000}, {150, 112}, [](TBitmap& src, TBitmap& dst) {
        StretchBlt(dst.Canvas(), 0, 0, 150, 112, src.Canvas(), 0, 0, 4000, 3000, SRCCOPY);
    });
}
BENCHMARK(PhotoToTile_StretchBlt);

} // namespace
