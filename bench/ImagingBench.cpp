// Picture loading and writing against plain libjpeg in the same run. Each ratio benchmark runs
// both sides in every iteration, one after the other, so machine load hits both alike.
//   TileLoadVsPlainEighth : loading a 6000 x 4000 JPEG for a 150 x 112 tile / plain decode at 1/8
//   PlainFullVsTileLoad   : plain full-size decode / loading for the tile (how much faster)
//   EncodeVsPlain         : writing a 600 x 448 bitmap at quality 80 / plain encode of the pixels
//   ThirteenTilesMemory   : resident memory added by 13 pictures loaded from the 6000 x 4000 file
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/imaging/JPEGImage.h"
#include "platform/imaging/Picture.h"
#include "tests/support/JpegFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

// A 6000 x 4000 picture at quality 90: shading and edges, plus sensor-like noise of the given
// amplitude. With noise 8 it compresses to about as many bits per pixel as a camera photograph,
// which makes decoding mostly entropy decoding; without noise it is a smooth, small file.
std::vector<uint8_t> MakePhoto(int amplitude)
{
    const int w = 6000, h = 4000;
    std::minstd_rand noise(42);
    // Called once a pixel, row by row, so the noise follows the same sequence on every run.
    const auto pixel = [&](int x, int y) {
        const int n = amplitude ? static_cast<int>(noise() % (2 * amplitude + 1)) - amplitude : 0;
        const bool band = ((x / 375) + (y / 250)) % 2 == 0;
        const auto channel = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
        return channel(40 + x * 150 / w + (band ? 30 : 0) + n) << 16 | channel(60 + y * 120 / h + n) << 8 |
               channel(200 - (x + y) * 120 / (w + h) + (band ? 0 : 25) + n);
    };
    return MakeJpeg({w, h, 90, false, JCS_RGB, JCS_UNKNOWN, true, pixel});
}

const std::vector<uint8_t>& Photo(int amplitude)
{
    static const std::vector<uint8_t> noisy = MakePhoto(8), smooth = MakePhoto(0);
    return amplitude ? noisy : smooth;
}

// Plain libjpeg: decode every row at scale M/8, keeping none.
void PlainDecodeOnly(const std::vector<uint8_t>& file, int scaleNum)
{
    PlainDecodeRows(file.data(), file.size(), scaleNum, [](int, const uint8_t* row) { benchmark::DoNotOptimize(row); });
}

void TileLoad(const std::vector<uint8_t>& file)
{
    TMemorySource source(file);
    auto bitmap = DecodeJpeg(source, {150, 112});
    benchmark::DoNotOptimize(bitmap.get());
}

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

void SetRatio(benchmark::State& state, double ours, double reference, const char* oursName, const char* refName)
{
    const double n = static_cast<double>(state.iterations());
    state.counters[oursName] = ours / n * 1e3;
    state.counters[refName] = reference / n * 1e3;
    state.counters["ratio"] = ours / reference;
}

// Runs both sides in every iteration, one after the other, and reports the first's time as a ratio
// to the second's.
template <class First, class Second>
void SideBySide(benchmark::State& state, First first, Second second, const char* firstName, const char* secondName)
{
    double a = 0, b = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        first();
        const auto t1 = Clock::now();
        second();
        const auto t2 = Clock::now();
        a += Seconds(t0, t1);
        b += Seconds(t1, t2);
    }
    SetRatio(state, a, b, firstName, secondName);
}

void TileLoadVsPlainEighth(benchmark::State& state)
{
    const auto& file = Photo(static_cast<int>(state.range(0)));
    SideBySide(state, [&] { TileLoad(file); }, [&] { PlainDecodeOnly(file, 1); }, "tile_ms", "plain_eighth_ms");
    state.counters["file_MB"] = file.size() / 1e6;
}

void PlainFullVsTileLoad(benchmark::State& state)
{
    const auto& file = Photo(static_cast<int>(state.range(0)));
    SideBySide(state, [&] { PlainDecodeOnly(file, 8); }, [&] { TileLoad(file); }, "plain_full_ms", "tile_ms");
    state.counters["file_MB"] = file.size() / 1e6;
}

void EncodeVsPlain(benchmark::State& state)
{
    // The board's snapshot: 600 x 448 in the display's format.
    TBitmap snapshot(600, 448);
    std::vector<uint8_t> rgb(600 * 448 * 3);
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 600; ++x) {
            const uint32_t p = ((x * 255 / 599) << 16) | ((y * 255 / 447) << 8) | ((x ^ y) & 0xFF);
            snapshot.SetPixelRGB(x, y, p);
            uint8_t* q = &rgb[(static_cast<size_t>(y) * 600 + x) * 3];
            q[0] = p >> 16;
            q[1] = (p >> 8) & 0xFF;
            q[2] = p & 0xFF;
        }
    TJPEGImage jpeg;
    jpeg.Assign(&snapshot);
    jpeg.SetCompressionQuality(80);
    std::vector<uint8_t> out;
    const TJpegRecipe plain{600, 448, 80};
    const TJpegRowSource rows = [&](int y) { return &rgb[static_cast<size_t>(y) * 600 * 3]; };
    SideBySide(state, [&] { jpeg.SaveToStream(out); },
               [&] {
                   unsigned char* buffer = nullptr;
                   unsigned long size = 0;
                   PlainEncode(plain, rows, &buffer, &size);
                   benchmark::DoNotOptimize(buffer);
                   std::free(buffer);
               },
               "ours_ms", "plain_ms");
}

long ResidentBytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// Heap bytes in use: exact, unlike resident memory, which keeps pages the heap has freed.
double HeapBytes()
{
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

void ThirteenTilesMemory(benchmark::State& state)
{
    const auto& file = Photo(8);
    char path[] = "/tmp/tirora-bench-XXXXXX.jpg";
    const int fd = mkstemps(path, 4);
    if (fd < 0 || write(fd, file.data(), file.size()) != static_cast<ssize_t>(file.size())) {
        state.SkipWithError("cannot write the picture file");
        return;
    }
    close(fd);
    double added = 0, heap = 0;
    for (auto _ : state) {
        const long before = ResidentBytes();
        const double heapBefore = HeapBytes();
        {
            std::vector<std::unique_ptr<TPicture>> tiles;
            for (int k = 1; k <= 13; ++k) {
                auto picture = std::make_unique<TPicture>();
                // Twelve border tiles of 150 x 112 and the centre of 300 x 224.
                if (k < 13)
                    picture->SetDisplaySize(150, 112);
                else
                    picture->SetDisplaySize(300, 224);
                picture->LoadFromFile(path);
                tiles.push_back(std::move(picture));
            }
            added = static_cast<double>(ResidentBytes() - before);
            heap = HeapBytes() - heapBefore;
        }
    }
    unlink(path);
    state.counters["resident_added_MB"] = added / (1 << 20);
    state.counters["heap_held_MB"] = heap / (1 << 20);
}

} // namespace

// Memory first, while the process has touched little else.
BENCHMARK(ThirteenTilesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
// Argument: noise amplitude of the generated picture (8 photograph-like, 0 smooth).
BENCHMARK(TileLoadVsPlainEighth)->Unit(benchmark::kMillisecond)->Iterations(12)->Arg(8)->Arg(0);
BENCHMARK(PlainFullVsTileLoad)->Unit(benchmark::kMillisecond)->Iterations(6)->Arg(8)->Arg(0);
BENCHMARK(EncodeVsPlain)->Unit(benchmark::kMillisecond)->Iterations(200);
