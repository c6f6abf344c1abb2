#pragma once
// Bitmap files built byte by byte, and whole files written and read back.
#include <cstdint>
#include <string>
#include <vector>

// Little-endian fields as bitmap files store them.
void Put16(std::vector<uint8_t>& out, uint32_t v);
void Put32(std::vector<uint8_t>& out, uint32_t v);

struct TBmpRecipe {
    uint32_t InfoSize = 40;  // 12, 40, 52, 56, 108, 124
    int32_t Width = 0;
    int32_t Height = 0;      // negative: rows stored top-down
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t ClrUsed = 0;
    std::vector<uint32_t> Masks;    // red, green, blue (alpha): after a 40-byte header, else inside it
    std::vector<uint32_t> Palette;  // 0x00RRGGBB entries, 3 or 4 bytes each as the header asks
    std::vector<uint8_t> Data;      // the bits as stored
    int64_t OffsetDelta = 0;        // added to the correct offset of the bits
    bool StoreFileSize = false;     // the file's size in its header; 0 there otherwise (readers must not rely on it)
};
std::vector<uint8_t> BuildBmp(const TBmpRecipe& recipe);

// Stores rows of values (top row first), each `bits` wide, padded to 4 bytes, in the file's order.
// Values are palette indices for 1 to 8 bits, the raw 16- or 32-bit pixel, or 0x00RRGGBB for 24.
std::vector<uint8_t> StoreRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown);

// The whole file; ReadAll gives nothing for a file it cannot open.
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadAll(const std::string& path);
