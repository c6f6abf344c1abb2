// Bitmap file reading on arbitrary bytes: for a tile's size and, where the declared picture is
// modest, at its own size. Rejection must be the bitmap error and nothing else.
#include <cstddef>
#include <cstdint>

#include "platform/core/Exception.h"
#include "platform/imaging/BmpReader.h"
#include "platform/imaging/RowCollector.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void ReadAt(const uint8_t* data, size_t size, TDisplaySize display, TBmpInfo info)
{
    TMemorySource source(data, size);
    try {
        const auto b = ReadBmp(source, display);
        const TKeptSize kept = KeptSize(info.Width, info.Height, display);
        Check(b && b->Width() == kept.Width && b->Height() == kept.Height && b->PixelFormat() == pf24bit);
    } catch (const EInvalidGraphic&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBmpInfo info;
    try {
        TMemorySource source(data, size);
        info = ReadBmpInfo(source);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    ReadAt(data, size, {150, 112}, info);
    ReadAt(data, size, {7, 3}, info);
    if (int64_t{info.Width} * info.Height <= (int64_t{1} << 22))
        ReadAt(data, size, {}, info);
    return 0;
}
