#include "tests/board/BoardFixture.h"

#include <cstdlib>
#include <unistd.h>

#include "platform/controls/Application.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/graphics/Bitmap.h"
#include "platform/imaging/JPEGImage.h"
#include "tests/support/PictureBytes.h"

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
    TBmpRecipe recipe;
    recipe.Width = width;
    recipe.Height = height;
    recipe.Data = StoreRows(std::vector<std::vector<uint32_t>>(height, std::vector<uint32_t>(width, rgb)), 24, false);
    recipe.StoreFileSize = true;
    WriteAll(Path(name), BuildBmp(recipe));
    return Path(name);
}

std::string BoardTest::WriteJpeg(const std::string& name, uint32_t rgb, int width, int height)
{
    TBitmap picture(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixelRGB(x, y, rgb);
    WriteAll(Path(name), EncodeJpeg(picture, 95));
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
