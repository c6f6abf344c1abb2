// Bitmap file reading on arbitrary bytes: for a tile's size and, where the declared picture is
// modest, at its own size. Rejection must be the bitmap error and nothing else.
#include "fuzz/FuzzDecode.h"
#include "platform/core/Exception.h"
#include "platform/imaging/BmpReader.h"
#include "platform/imaging/RowCollector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzDecode<EInvalidGraphic>(
        data, size, ReadBmpInfo, {{150, 112}, {7, 3}}, [](TByteSource& source, TDisplaySize display, const TBmpInfo& info) {
            const auto b = ReadBmp(source, display);
            const TKeptSize kept = KeptSize(info.Width, info.Height, display);
            Check(b && b->Width() == kept.Width && b->Height() == kept.Height && b->PixelFormat() == pf24bit);
        });
}
