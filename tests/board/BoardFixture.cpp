#include "tests/board/BoardFixture.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "platform/controls/Application.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/graphics/Bitmap.h"
#include "platform/imaging/JPEGImage.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

void BoardTest::SetUp()
{
    dir = std::filesystem::temp_directory_path() / ("tirora-board-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Application->SetTitle(Sjis("ティロラ"));
    Application->CreateForm(MainForm1);
    board = MainForm1;
    board->Show();
    host.ProcessPaints();
}

void BoardTest::TearDown() { std::filesystem::remove_all(dir); }

std::string BoardTest::WriteBmp(const std::string& name, uint32_t rgb, int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> b = {'B', 'M'};
    Put32(b, 54 + stride * height);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, width);
    Put32(b, height);
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            b.push_back(rgb & 0xFF);
            b.push_back((rgb >> 8) & 0xFF);
            b.push_back((rgb >> 16) & 0xFF);
        }
        b.resize(b.size() + stride - width * 3, 0);
    }
    WriteBytes(Path(name), b);
    return Path(name);
}

std::string BoardTest::WriteJpeg(const std::string& name, uint32_t rgb, int width, int height)
{
    TBitmap picture(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixelRGB(x, y, rgb);
    WriteBytes(Path(name), EncodeJpeg(picture, 95));
    return Path(name);
}

TPoint BoardTest::Inside(int k)
{
    const TImage* tile = MainForm1->Tile(k);
    return {tile->Left() + tile->Width() / 2, tile->Top() + tile->Height() * 3 / 4};
}

uint32_t BoardTest::TileColour(int k)
{
    const TPoint p = Inside(k);
    return host.Pixel(p.X, p.Y);
}

void BoardTest::DropOnto(int k, const std::vector<std::string>& paths)
{
    const TPoint p = Inside(k);
    host.MoveTo(p.X, p.Y);
    host.DropFiles(paths);
}
