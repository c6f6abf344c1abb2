#pragma once
// The common course of the picture fuzz targets: read the header, and where it is accepted,
// decode for a tile's size and, where the declared picture is modest, at its own size.
// Rejection must be the reader's own error and nothing else.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "platform/imaging/ByteSource.h"
#include "platform/imaging/PictureSize.h"

inline void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// readInfo(source) gives the header facts (with Width and Height); decodeAt(source, display, info)
// decodes and checks the result.
template <class Error, class ReadInfo, class DecodeAt>
int FuzzDecode(const uint8_t* data, size_t size, ReadInfo readInfo, std::initializer_list<TDisplaySize> tiles,
               DecodeAt decodeAt)
{
    decltype(readInfo(std::declval<TByteSource&>())) info;
    try {
        TMemorySource source(data, size);
        info = readInfo(source);
    } catch (const Error&) {
        return 0;
    }
    const auto at = [&](TDisplaySize display) {
        TMemorySource source(data, size);
        try {
            decodeAt(source, display, info);
        } catch (const Error&) {
        }
    };
    for (TDisplaySize tile : tiles)
        at(tile);
    if (int64_t{info.Width} * info.Height <= (int64_t{1} << 22))
        at({});
    return 0;
}
