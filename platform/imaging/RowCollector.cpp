#include "platform/imaging/RowCollector.h"

#include <algorithm>
#include <cstring>

namespace {

// About a megabyte per block: small next to a full-size picture, large enough to be few.
constexpr size_t BlockBytes = size_t{1} << 20;

} // namespace

TKeptSize KeptSize(int32_t width, int32_t height, TDisplaySize display)
{
    if (!display.IsSet())
        return {width, height};
    return {std::min(width, display.Width), std::min(height, display.Height)};
}

TRowCollector::TRowCollector(int32_t width, int32_t height, bool topDown, TDisplaySize display, bool backed)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)), FTopDown(topDown),
      FKept(KeptSize(FWidth, FHeight, display))
{
    FReducing = FKept.Width != FWidth || FKept.Height != FHeight;
    if (FReducing) {
        FRowSums.assign(static_cast<size_t>(FKept.Width) * 3, 0);
        FAccumulated.assign(static_cast<size_t>(FKept.Width) * 3, 0);
        FResult = std::make_unique<TBitmap>(FKept.Width, FKept.Height, pf24bit);
    } else if (backed) {
        FResult = std::make_unique<TBitmap>(FWidth, FHeight, pf24bit);
    } else {
        const size_t rowBytes = std::max<size_t>(static_cast<size_t>(FWidth) * 3, 1);
        FRowsPerBlock = static_cast<int32_t>(std::max<size_t>(1, BlockBytes / rowBytes));
    }
}

TRowCollector::~TRowCollector() = default;

int32_t TRowCollector::TargetRow(int32_t arrivalRow, int32_t height) const
{
    return FTopDown ? arrivalRow : height - 1 - arrivalRow;
}

void TRowCollector::AddRows(const uint8_t* row, int32_t count)
{
    count = std::min(count, FHeight - FDelivered);
    if (count <= 0)
        return;
    if (!FReducing) {
        StoreFull(row, count);
        FDelivered += count;
        return;
    }
    Horizontal(row);
    // This run of equal rows covers [FPosition, end) in vertical units; hand each kept row its share.
    const int64_t end = FPosition + int64_t{count} * FKept.Height;
    const size_t n = FRowSums.size();
    while (FPosition < end) {
        const int64_t rowEnd = int64_t{FOutRow + 1} * FHeight;
        const int64_t segmentEnd = std::min(end, rowEnd);
        const uint64_t weight = static_cast<uint64_t>(segmentEnd - FPosition);
        for (size_t i = 0; i < n; ++i)
            FAccumulated[i] += FRowSums[i] * weight;
        FPosition = segmentEnd;
        if (segmentEnd == rowEnd)
            EmitReduced();
    }
    FDelivered += count;
}

void TRowCollector::Horizontal(const uint8_t* row)
{
    // Source pixel i covers [i*kept, (i+1)*kept), kept pixel x covers [x*width, (x+1)*width); as
    // kept <= width a source pixel falls into at most two kept pixels.
    std::fill(FRowSums.begin(), FRowSums.end(), 0);
    const uint32_t kept = static_cast<uint32_t>(FKept.Width);
    const uint32_t width = static_cast<uint32_t>(FWidth);
    uint32_t* sum = FRowSums.data();
    uint64_t boundary = width;
    uint64_t start = 0;
    for (int32_t i = 0; i < FWidth; ++i, row += 3, start += kept) {
        const uint64_t stop = start + kept;
        if (stop <= boundary) {
            sum[0] += row[0] * kept;
            sum[1] += row[1] * kept;
            sum[2] += row[2] * kept;
            if (stop == boundary) {
                sum += 3;
                boundary += width;
            }
        } else {
            const uint32_t first = static_cast<uint32_t>(boundary - start);
            const uint32_t second = kept - first;
            sum[0] += row[0] * first;
            sum[1] += row[1] * first;
            sum[2] += row[2] * first;
            sum[3] += row[0] * second;
            sum[4] += row[1] * second;
            sum[5] += row[2] * second;
            sum += 3;
            boundary += width;
        }
    }
}

void TRowCollector::EmitReduced()
{
    const uint64_t total = uint64_t{static_cast<uint32_t>(FWidth)} * static_cast<uint32_t>(FHeight);
    uint8_t* out = FResult->ScanLine(TargetRow(FOutRow, FKept.Height));
    for (size_t i = 0; i < FAccumulated.size(); ++i) {
        out[i] = static_cast<uint8_t>((FAccumulated[i] + total / 2) / total);
        FAccumulated[i] = 0;
    }
    ++FOutRow;
}

void TRowCollector::StoreFull(const uint8_t* row, int32_t count)
{
    const size_t rowBytes = static_cast<size_t>(FWidth) * 3;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t arrival = FDelivered + k;
        if (FResult) {
            std::memcpy(FResult->ScanLine(TargetRow(arrival, FHeight)), row, rowBytes);
            continue;
        }
        const size_t block = static_cast<size_t>(arrival / FRowsPerBlock);
        if (block == FBlocks.size())
            FBlocks.emplace_back().reserve(rowBytes * static_cast<size_t>(FRowsPerBlock));
        FBlocks[block].insert(FBlocks[block].end(), row, row + rowBytes);
    }
}

std::unique_ptr<TBitmap> TRowCollector::Finish()
{
    if (FReducing) {
        // Rows never delivered count as black; finish the kept rows they fall into.
        if (FDelivered < FHeight) {
            std::vector<uint8_t> black(static_cast<size_t>(FWidth) * 3, 0);
            AddRows(black.data(), FHeight - FDelivered);
        }
        return std::move(FResult);
    }
    if (!FResult) {
        FResult = std::make_unique<TBitmap>(FWidth, FHeight, pf24bit);
        const size_t rowBytes = static_cast<size_t>(FWidth) * 3;
        int32_t arrival = 0;
        for (auto& block : FBlocks) {
            for (size_t off = 0; off + rowBytes <= block.size() && rowBytes > 0; off += rowBytes)
                std::memcpy(FResult->ScanLine(TargetRow(arrival++, FHeight)), block.data() + off, rowBytes);
            std::vector<uint8_t>().swap(block);  // give the block back before the next is copied
        }
        FBlocks.clear();
    }
    for (int32_t arrival = FDelivered; arrival < FHeight; ++arrival)
        std::memset(FResult->ScanLine(TargetRow(arrival, FHeight)), 0, static_cast<size_t>(FWidth) * 3);
    return std::move(FResult);
}
