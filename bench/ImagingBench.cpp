// Picture loading and writing against plain libjpeg in the same run. Each ratio benchmark runs
// both sides in every iteration, one after the other, so machine load hits both alike.
//   TileLoadVsPlainEighth : loading a 6000 x 4000 JPEG for a 150 x 112 tile / plain decode at 1/8
//   PlainFullVsTileLoad   : plain full-size decode / loading for the tile (how much faster)
//   EncodeVsPlain         : writing a 600 x 448 bitmap at quality 80 / plain encode of the pixels
//   ThirteenTilesMemory   : resident memory added by 13 pictures loaded from the 6000 x 4000 file
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include "platform/imaging/JPEGImage.h"
#include "platform/imaging/Picture.h"

namespace {

using Clock = std::chrono::steady_clock;

// A 6000 x 4000 picture at quality 90: shading and edges, plus sensor-like noise of the given
// amplitude. With noise 8 it compresses to about as many bits per pixel as a camera photograph,
// which makes decoding mostly entropy decoding; without noise it is a smooth, small file.
std::vector<uint8_t> MakePhoto(int amplitude)
{
    {
        const int w = 6000, h = 4000;
        jpeg_compress_struct c{};
        jpeg_error_mgr err{};
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&c, &buffer, &size);
        c.image_width = w;
        c.image_height = h;
        c.in_color_space = JCS_RGB;
        c.input_components = 3;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 90, TRUE);
        jpeg_start_compress(&c, TRUE);
        std::minstd_rand noise(42);
        std::vector<uint8_t> row(w * 3);
        while (c.next_scanline < c.image_height) {
            const int y = static_cast<int>(c.next_scanline);
            for (int x = 0; x < w; ++x) {
                const int n = amplitude ? static_cast<int>(noise() % (2 * amplitude + 1)) - amplitude : 0;
                const bool band = ((x / 375) + (y / 250)) % 2 == 0;
                row[x * 3] = static_cast<uint8_t>(std::clamp(40 + x * 150 / w + (band ? 30 : 0) + n, 0, 255));
                row[x * 3 + 1] = static_cast<uint8_t>(std::clamp(60 + y * 120 / h + n, 0, 255));
                row[x * 3 + 2] = static_cast<uint8_t>(std::clamp(200 - (x + y) * 120 / (w + h) + (band ? 0 : 25) + n, 0, 255));
            }
            JSAMPROW r = row.data();
            jpeg_write_scanlines(&c, &r, 1);
        }
        jpeg_finish_compress(&c);
        std::vector<uint8_t> out(buffer, buffer + size);
        jpeg_destroy_compress(&c);
        std::free(buffer);
        return out;
    }
}

const std::vector<uint8_t>& Photo(int amplitude)
{
    static const std::vector<uint8_t> noisy = MakePhoto(8), smooth = MakePhoto(0);
    return amplitude ? noisy : smooth;
}

// Plain libjpeg: decode every row at scale M/8 into one reused row buffer.
void PlainDecode(const std::vector<uint8_t>& file, unsigned scaleNum)
{
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), file.size());
    jpeg_read_header(&d, TRUE);
    d.scale_num = scaleNum;
    d.scale_denom = 8;
    jpeg_start_decompress(&d);
    std::vector<uint8_t> row(static_cast<size_t>(d.output_width) * d.output_components);
    while (d.output_scanline < d.output_height) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&d, &r, 1);
    }
    benchmark::DoNotOptimize(row.data());
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
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

void TileLoadVsPlainEighth(benchmark::State& state)
{
    const auto& file = Photo(static_cast<int>(state.range(0)));
    double ours = 0, plain = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        TileLoad(file);
        const auto t1 = Clock::now();
        PlainDecode(file, 1);
        const auto t2 = Clock::now();
        ours += Seconds(t0, t1);
        plain += Seconds(t1, t2);
    }
    SetRatio(state, ours, plain, "tile_ms", "plain_eighth_ms");
    state.counters["file_MB"] = file.size() / 1e6;
}

void PlainFullVsTileLoad(benchmark::State& state)
{
    const auto& file = Photo(static_cast<int>(state.range(0)));
    double full = 0, ours = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PlainDecode(file, 8);
        const auto t1 = Clock::now();
        TileLoad(file);
        const auto t2 = Clock::now();
        full += Seconds(t0, t1);
        ours += Seconds(t1, t2);
    }
    SetRatio(state, full, ours, "plain_full_ms", "tile_ms");
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
    double ours = 0, plain = 0;
    std::vector<uint8_t> out;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        jpeg.SaveToStream(out);
        const auto t1 = Clock::now();
        jpeg_compress_struct c{};
        jpeg_error_mgr err{};
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&c, &buffer, &size);
        c.image_width = 600;
        c.image_height = 448;
        c.in_color_space = JCS_RGB;
        c.input_components = 3;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 80, TRUE);
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height) {
            JSAMPROW r = &rgb[static_cast<size_t>(c.next_scanline) * 600 * 3];
            jpeg_write_scanlines(&c, &r, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
        const auto t2 = Clock::now();
        ours += Seconds(t0, t1);
        plain += Seconds(t1, t2);
    }
    SetRatio(state, ours, plain, "ours_ms", "plain_ms");
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
