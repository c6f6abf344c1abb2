#pragma once
// Collects a decoded picture's rows (3 bytes blue, green, red per pixel) in the order the file
// stores them and builds the bitmap that is kept: either the picture at its own size, or the
// picture reduced by area averaging to fit a display size, computed while the rows arrive so that
// only one row of sums is held besides the result.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/imaging/PictureSize.h"

struct TKeptSize {
    int32_t Width = 0;
    int32_t Height = 0;
    int64_t Pixels() const { return int64_t{Width} * Height; }
};

// The size a picture of width x height is kept at for the display size: each side reduced to the
// display's, never enlarged.
TKeptSize KeptSize(int32_t width, int32_t height, TDisplaySize display);

class TRowCollector {
public:
    // topDown: the first row delivered is the picture's top row (else its bottom row).
    // backed: the caller has checked that the data for every row is really there, so the kept
    // bitmap may be allocated at once; otherwise rows kept at full size are gathered in blocks
    // that grow only with the rows actually delivered.
    TRowCollector(int32_t width, int32_t height, bool topDown, TDisplaySize display, bool backed = false);
    ~TRowCollector();

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int32_t RowsDelivered() const { return FDelivered; }
    TKeptSize Kept() const { return FKept; }

    // `count` rows equal to `row` (Width() pixels); rows beyond Height() are ignored.
    void AddRows(const uint8_t* row, int32_t count = 1);
    // The kept bitmap (pf24bit). Rows not delivered are black.
    std::unique_ptr<TBitmap> Finish();

private:
    void Horizontal(const uint8_t* row);
    void EmitReduced();
    void StoreFull(const uint8_t* row, int32_t count);
    int32_t TargetRow(int32_t arrivalRow, int32_t height) const;

    int32_t FWidth, FHeight;
    bool FTopDown;
    TKeptSize FKept;
    bool FReducing;
    int32_t FDelivered = 0;

    // Reducing: sums of one source row over each kept column, and the running sums of the kept
    // row being filled, in units where a source row is Kept().Height long and a kept row Height().
    std::vector<uint32_t> FRowSums;
    std::vector<uint64_t> FAccumulated;
    int64_t FPosition = 0;
    int32_t FOutRow = 0;
    std::unique_ptr<TBitmap> FResult;

    // Full size without backing: blocks of rows in arrival order.
    std::vector<std::vector<uint8_t>> FBlocks;
    int32_t FRowsPerBlock = 1;
};
