#include "tests/support/PictureBytes.h"

#include <fstream>
#include <iterator>

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> BuildBmp(const TBmpRecipe& s)
{
    const bool core = s.InfoSize == 12;
    const size_t entry = core ? 3 : 4;
    const bool masksAfter = s.InfoSize == 40 && !s.Masks.empty();
    const uint32_t offset = static_cast<uint32_t>(14 + s.InfoSize + (masksAfter ? 4 * s.Masks.size() : 0) +
                                                  entry * s.Palette.size() + s.OffsetDelta);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, s.StoreFileSize ? static_cast<uint32_t>(offset + s.Data.size()) : 0);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, s.InfoSize);
    if (core) {
        Put16(out, static_cast<uint32_t>(s.Width));
        Put16(out, static_cast<uint32_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
    } else {
        Put32(out, static_cast<uint32_t>(s.Width));
        Put32(out, static_cast<uint32_t>(s.Height));
        Put16(out, 1);
        Put16(out, s.Bits);
        Put32(out, s.Compression);
        Put32(out, static_cast<uint32_t>(s.Data.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, s.ClrUsed);
        Put32(out, 0);
        const size_t headerEnd = 14 + s.InfoSize;
        for (size_t i = 0; i < s.Masks.size() && s.InfoSize > 40; ++i)
            Put32(out, s.Masks[i]);
        out.resize(headerEnd, 0);
        if (masksAfter)
            for (uint32_t m : s.Masks)
                Put32(out, m);
    }
    for (uint32_t c : s.Palette) {
        out.push_back(c & 0xFF);
        out.push_back((c >> 8) & 0xFF);
        out.push_back((c >> 16) & 0xFF);
        if (!core)
            out.push_back(0);
    }
    if (s.OffsetDelta > 0)
        out.resize(out.size() + static_cast<size_t>(s.OffsetDelta), 0xEE);
    else if (s.OffsetDelta < 0)
        out.resize(out.size() - static_cast<size_t>(-s.OffsetDelta));
    out.insert(out.end(), s.Data.begin(), s.Data.end());
    return out;
}

std::vector<uint8_t> StoreRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown)
{
    std::vector<uint8_t> out;
    const size_t height = rows.size();
    for (size_t k = 0; k < height; ++k) {
        const auto& row = rows[topDown ? k : height - 1 - k];
        std::vector<uint8_t> stored;
        uint32_t acc = 0;
        int filled = 0;
        for (uint32_t v : row) {
            if (bits < 8) {
                acc = (acc << bits) | v;
                filled += bits;
                if (filled == 8) {
                    stored.push_back(static_cast<uint8_t>(acc));
                    acc = 0;
                    filled = 0;
                }
            } else if (bits == 8) {
                stored.push_back(static_cast<uint8_t>(v));
            } else if (bits == 16) {
                Put16(stored, v);
            } else if (bits == 24) {
                stored.push_back(v & 0xFF);
                stored.push_back((v >> 8) & 0xFF);
                stored.push_back((v >> 16) & 0xFF);
            } else {
                Put32(stored, v);
            }
        }
        if (filled > 0)
            stored.push_back(static_cast<uint8_t>(acc << (8 - filled)));
        stored.resize((stored.size() + 3) & ~size_t{3}, 0);
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}
