#include "tests/support/Patterns.h"

void FillPattern(TBitmap& b)
{
    for (int32_t y = 0; y < b.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(b.ScanLine(y));
        for (int32_t x = 0; x < b.Width(); ++x)
            row[x] = static_cast<uint32_t>(x * 2654435761u + y) & 0xFFFFFF;
    }
}
