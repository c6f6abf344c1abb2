// JPEG decoding on arbitrary bytes: for a tile's size and, where the declared picture is modest,
// at its own size. Rejection must be the JPEG error and nothing else.
#include "fuzz/FuzzDecode.h"
#include "platform/core/Exception.h"
#include "platform/imaging/JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzDecode<EJPEG>(data, size, ReadJpegInfo, {{150, 112}},
                             [](TByteSource& source, TDisplaySize display, const TJpegInfo&) {
                                 const auto b = DecodeJpeg(source, display);
                                 Check(b && b->PixelFormat() == pf24bit && b->Width() > 0 && b->Height() > 0);
                                 if (display.IsSet())
                                     Check(b->Width() <= display.Width && b->Height() <= display.Height);
                             });
}
