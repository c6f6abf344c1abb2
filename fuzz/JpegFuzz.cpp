// JPEG decoding on arbitrary bytes: for a tile's size and, where the declared picture is modest,
// at its own size. Rejection must be the JPEG error and nothing else.
#include <cstddef>
#include <cstdint>

#include "platform/core/Exception.h"
#include "platform/imaging/JPEGImage.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void DecodeAt(const uint8_t* data, size_t size, TDisplaySize display)
{
    TMemorySource source(data, size);
    try {
        const auto b = DecodeJpeg(source, display);
        Check(b && b->PixelFormat() == pf24bit && b->Width() > 0 && b->Height() > 0);
        if (display.IsSet())
            Check(b->Width() <= display.Width && b->Height() <= display.Height);
    } catch (const EJPEG&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TJpegInfo info;
    try {
        TMemorySource source(data, size);
        info = ReadJpegInfo(source);
    } catch (const EJPEG&) {
        return 0;
    }
    DecodeAt(data, size, {150, 112});
    if (int64_t{info.Width} * info.Height <= (int64_t{1} << 22))
        DecodeAt(data, size, {});
    return 0;
}
