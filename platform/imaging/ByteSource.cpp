#include "platform/imaging/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"

bool TByteSource::Skip(uint64_t count) noexcept
{
    uint8_t scratch[4096];
    while (count > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count, sizeof scratch));
        if (Read(scratch, n) != n)
            return false;
        count -= n;
    }
    return true;
}

size_t TMemorySource::Read(uint8_t* dest, size_t count) noexcept
{
    const size_t n = std::min(count, FSize - FPos);
    if (n > 0)
        std::memcpy(dest, FData + FPos, n);
    FPos += n;
    return n;
}

bool TMemorySource::Skip(uint64_t count) noexcept
{
    if (count > FSize - FPos) {
        FPos = FSize;
        return false;
    }
    FPos += static_cast<size_t>(count);
    return true;
}

TFileSource::TFileSource(const std::string& path)
{
    FFile = std::fopen(path.c_str(), "rb");
    struct stat st {};
    if (!FFile || ::fstat(::fileno(FFile), &st) != 0 || !S_ISREG(st.st_mode)) {
        // A folder or a device is not a picture file; reading one could block or never end.
        if (FFile)
            std::fclose(FFile);
        ThrowFileOpenError(path);
    }
    FSize = static_cast<uint64_t>(st.st_size);
}

TFileSource::~TFileSource() { std::fclose(FFile); }

size_t TFileSource::Read(uint8_t* dest, size_t count) noexcept
{
    const size_t n = std::fread(dest, 1, count, FFile);
    FPos += n;
    return n;
}

bool TFileSource::Skip(uint64_t count) noexcept
{
    // Seeking is cheap but would happily go past the end; the size known at opening decides.
    if (count > Remaining())
        return TByteSource::Skip(count);
    if (std::fseek(FFile, static_cast<long>(count), SEEK_CUR) != 0)
        return TByteSource::Skip(count);
    FPos += count;
    return true;
}

void ThrowFileOpenError(const std::string& path)
{
    throw EFOpenError(Format(Sjis("ファイル %s を開けません"), {Utf8ToCp932(path)}));
}

void ThrowFileCreateError(const std::string& path)
{
    throw EFCreateError(Format(Sjis("ファイル %s を作成できません"), {Utf8ToCp932(path)}));
}

void ThrowFileWriteError(const std::string&)
{
    throw EWriteError(Sjis("ストリームの書き込みエラー"));
}

void WriteBytesToFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        ThrowFileCreateError(path);
    const bool written = std::fwrite(data, 1, size, f) == size;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed)
        ThrowFileWriteError(path);
}
