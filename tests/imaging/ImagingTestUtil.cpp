#include "ImagingTestUtil.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

std::atomic<int> gWatching{0};
std::atomic<size_t> gLargest{0};

} // namespace

// ---- allocation watch: operator new replaced for this test program

void* operator new(size_t size)
{
    if (gWatching.load(std::memory_order_relaxed)) {
        size_t seen = gLargest.load(std::memory_order_relaxed);
        while (size > seen && !gLargest.compare_exchange_weak(seen, size)) {}
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
// The blocks come from malloc above, so free is the right partner.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TAllocationWatch::TAllocationWatch()
{
    gLargest = 0;
    ++gWatching;
}
TAllocationWatch::~TAllocationWatch() { --gWatching; }
size_t TAllocationWatch::Largest() const { return gLargest; }

// ---- files

TScratchDir::TScratchDir()
{
    std::string pattern = std::string(TIRORA_BINARY_DIR) + "/imaging-test-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot create a scratch folder";
    FPath = pattern;
}

TScratchDir::~TScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::string TScratchDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    const std::string path = Path(name);
    WriteAll(path, bytes);
    return path;
}

int ChannelDistance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}
