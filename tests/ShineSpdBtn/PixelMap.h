#pragma once
// Small pictures written as rows of letters, one letter per pixel, with a palette.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"

using Palette = std::map<char, uint32_t>;  // letter -> 0x00RRGGBB
using Rows = std::vector<std::string>;

inline std::unique_ptr<TBitmap> MakeGlyph(const Rows& rows, const Palette& palette, TPixelFormat format = pf32bit)
{
    auto b = std::make_unique<TBitmap>(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()), format);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            b->SetPixelRGB(static_cast<int32_t>(x), static_cast<int32_t>(y), palette.at(rows[y][x]));
    return b;
}

// The picture in letters; a pixel of no palette colour reads '?'.
inline Rows ReadRows(const TBitmap& b, const Palette& palette)
{
    Rows rows(b.Height(), std::string(b.Width(), '?'));
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            for (const auto& [letter, rgb] : palette)
                if (b.PixelRGB(x, y) == rgb) {
                    rows[y][x] = letter;
                    break;
                }
    return rows;
}

// The rows of a region of a bitmap (for pictures painted into a larger canvas).
inline Rows ReadRows(const TBitmap& b, const Palette& palette, int32_t left, int32_t top, int32_t width, int32_t height)
{
    Rows all = ReadRows(b, palette), part;
    for (int32_t y = top; y < top + height; ++y)
        part.push_back(all.at(y).substr(left, width));
    return part;
}
