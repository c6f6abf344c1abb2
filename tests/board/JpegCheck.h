#pragma once
// Reads a JPEG file back with libjpeg, for checking what the board wrote.
#include <cstdint>
#include <string>
#include <vector>

struct TJpegFacts {
    bool Valid = false;
    int Width = 0;
    int Height = 0;
    int Components = 0;
    bool Progressive = false;
    bool Jfif = false;
    bool QuantTablesOfQuality80 = false;  // luminance and chrominance as libjpeg makes them
    std::vector<uint32_t> Pixels;         // 0x00RRGGBB, row by row
};

TJpegFacts ReadJpegFacts(const std::string& path);
