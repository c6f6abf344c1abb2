#pragma once
// The real board on the headless host, with a folder of small picture files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/board/MainWindow1.h"
#include "platform/host/HeadlessHost.h"

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture file of one colour (0x00RRGGBB), written as a bottom-up 24-bit BMP or a JPEG.
    std::string WriteBmp(const std::string& name, uint32_t rgb, int width = 40, int height = 30);
    std::string WriteJpeg(const std::string& name, uint32_t rgb, int width = 64, int height = 48);
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    // A client point inside tile k, away from its caption.
    static TPoint Inside(int k);
    // The colour in the middle of tile k as shown.
    uint32_t TileColour(int k);
    // Moves over tile k, then drops the files.
    void DropOnto(int k, const std::vector<std::string>& paths);

    std::filesystem::path dir;
    THeadlessHost host;
    TMainForm1* board = nullptr;
};

// The picture colours the tests use, and how near a JPEG must come to them.
constexpr uint32_t Red = 0xE01010, Green = 0x10C020, Blue = 0x1020D0;
bool Near(uint32_t a, uint32_t b, int tolerance = 12);

// Backdrop colours as 0x00RRGGBB.
constexpr uint32_t Peach = 0xFFD5BF, PaleYellow = 0xFFFFB9, Brown = 0x804000;
