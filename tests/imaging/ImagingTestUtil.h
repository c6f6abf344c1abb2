#pragma once
// For the picture tests: a scratch folder and a watch on the largest single allocation, next to
// the shared builders of bitmap and JPEG files.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "tests/support/JpegFiles.h"
#include "tests/support/PictureBytes.h"

// ---- files

// A fresh folder under the build folder, removed with everything in it at destruction.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    std::string Path(const std::string& name) const { return FPath + "/" + name; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::string FPath;
};

// ---- memory

// The largest single block requested through operator new while the watch is alive.
class TAllocationWatch {
public:
    TAllocationWatch();
    ~TAllocationWatch();
    size_t Largest() const;
};

// Largest channel difference between two 0x00RRGGBB values.
int ChannelDistance(uint32_t a, uint32_t b);
