#include "platform/core/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

TMbcsByteType ByteType(std::string_view text, size_t index)
{
    size_t i = 0;
    while (i < index) {
        i += CharLength(text, i);
    }
    if (i > index)
        return mbTrailByte;
    return i < text.size() && IsLeadByte(static_cast<uint8_t>(text[i])) ? mbLeadByte : mbSingleByte;
}

size_t CharLength(std::string_view text, size_t index)
{
    return index + 1 < text.size() && IsLeadByte(static_cast<uint8_t>(text[index])) ? 2 : 1;
}

size_t CharCount(std::string_view text)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        ++count;
    return count;
}

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Converts with iconv, replacing every byte that does not convert by `replacement`.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement)
{
    iconv_t raw = iconv_open(to, from);
    if (raw == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    std::unique_ptr<void, IconvCloser> cd(raw);

    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(raw, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append(replacement);  // an invalid or truncated sequence: skip one byte
            ++src;
            --srcLeft;
        }
    }
    return out;
}

} // namespace

std::u32string Cp932ToUtf32(std::string_view cp932)
{
    std::string bytes = Convert("UTF-32LE", "CP932", cp932, std::string("\xFD\xFF\x00\x00", 4));
    std::u32string out(bytes.size() / 4, U'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        const auto* b = reinterpret_cast<const uint8_t*>(bytes.data() + i * 4);
        out[i] = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) { return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD"); }

std::string Utf8ToCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?"); }
