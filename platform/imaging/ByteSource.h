#pragma once
// Where a picture's bytes come from while it is decoded: a file, read in blocks, or bytes in
// memory. Readers pull what they need and never learn more than the source really holds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TByteSource {
public:
    virtual ~TByteSource() = default;
    // Copies up to `count` bytes; fewer only at the end of the data (or on a read error).
    virtual size_t Read(uint8_t* dest, size_t count) noexcept = 0;
    // Total size in bytes as known when the source was opened.
    virtual uint64_t Size() const noexcept = 0;
    // Bytes consumed so far.
    virtual uint64_t Position() const noexcept = 0;
    // Moves forward by count bytes; false when that passes the end of the data.
    virtual bool Skip(uint64_t count) noexcept;
    uint64_t Remaining() const noexcept { return Size() > Position() ? Size() - Position() : 0; }
};

class TMemorySource : public TByteSource {
public:
    TMemorySource(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    explicit TMemorySource(const std::vector<uint8_t>& bytes) : TMemorySource(bytes.data(), bytes.size()) {}
    size_t Read(uint8_t* dest, size_t count) noexcept override;
    uint64_t Size() const noexcept override { return FSize; }
    uint64_t Position() const noexcept override { return FPos; }
    bool Skip(uint64_t count) noexcept override;

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

// A regular file opened for reading. A path that cannot be opened, or is not a regular file,
// raises EFOpenError "ファイル %s を開けません".
class TFileSource : public TByteSource {
public:
    explicit TFileSource(const std::string& path);
    ~TFileSource() override;
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    size_t Read(uint8_t* dest, size_t count) noexcept override;
    uint64_t Size() const noexcept override { return FSize; }
    uint64_t Position() const noexcept override { return FPos; }
    bool Skip(uint64_t count) noexcept override;

private:
    std::FILE* FFile = nullptr;
    uint64_t FSize = 0;
    uint64_t FPos = 0;
};

// EFOpenError / EFCreateError / EWriteError with the class library's wording; the path is
// converted to code page 932 for the message.
[[noreturn]] void ThrowFileOpenError(const std::string& path);
[[noreturn]] void ThrowFileCreateError(const std::string& path);
[[noreturn]] void ThrowFileWriteError(const std::string& path);

// Writes bytes to a new or truncated file; every failure (creating, a short write, flushing,
// closing) raises, so success is only reported once the bytes are with the system.
void WriteBytesToFile(const std::string& path, const uint8_t* data, size_t size);
