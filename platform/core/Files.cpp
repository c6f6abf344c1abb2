#include "platform/core/Files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"

namespace {

size_t LastSeparator(std::string_view path)
{
    return path.rfind('/');
}

std::string ForMessage(const std::string& path) { return Utf8ToCp932(path); }

[[noreturn]] void ThrowCannotOpen(const std::string& path)
{
    throw EFOpenError(Format(Sjis("ファイル %s を開けません"), {ForMessage(path)}));
}

[[noreturn]] void ThrowCannotCreate(const std::string& path)
{
    throw EFCreateError(Format(Sjis("ファイル %s を作成できません"), {ForMessage(path)}));
}

// Owns a file descriptor.
class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() { if (FFd >= 0) ::close(FFd); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    bool Close() { const int fd = FFd; FFd = -1; return ::close(fd) == 0; }

private:
    int FFd;
};

// What a newly created file gets: read and write for all, less the process's umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string ExtractFileExt(std::string_view path)
{
    const size_t dot = path.rfind('.');
    const size_t sep = LastSeparator(path);
    if (dot == std::string_view::npos || (sep != std::string_view::npos && sep > dot))
        return {};
    return std::string(path.substr(dot));
}

std::string ExtractFileName(std::string_view path)
{
    const size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileDir(std::string_view path)
{
    const size_t sep = LastSeparator(path);
    if (sep == std::string_view::npos)
        return {};
    return std::string(path.substr(0, sep == 0 ? 1 : sep));
}

std::string ExtractBaseName(std::string_view path)
{
    std::string name = ExtractFileName(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string JoinPath(std::string_view dir, std::string_view name)
{
    if (dir.empty())
        return std::string(name);
    std::string path(dir);
    if (path.back() != '/')
        path += '/';
    return path.append(name);
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string ExecutablePath()
{
    std::string buffer(4096, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<size_t>(n));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // a path longer than the buffer: try again, never truncate
    }
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode))
        ThrowCannotOpen(path);
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowCannotOpen(path);
        if (n == 0)
            return bytes;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes)
{
    // An existing target that may not be written is not replaced, as writing over it would fail.
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    // A file with no write permission counts as read-only also for root, who could write it anyway.
    const bool readOnly = exists && ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0);
    if (exists && (S_ISDIR(target.st_mode) || readOnly))
        ThrowCannotCreate(path);

    // The new file lies beside the target, so that the rename never crosses file systems.
    const std::string dir = ExtractFileDir(path);
    std::string temp = JoinPath(dir.empty() ? "." : dir, ".tirora-XXXXXX");
    TFd fd(::mkstemp(temp.data()));
    if (fd.Get() < 0)
        ThrowCannotCreate(path);

    const mode_t mode = exists ? (target.st_mode & 07777) : NewFileMode();
    const bool written = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fchmod(fd.Get(), mode) == 0 &&
                         ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        ThrowCannotCreate(path);
    }
}
