#pragma once
// Program texts are code page 932 byte strings. They become Unicode only where glyphs are drawn
// and where a text crosses into the desktop.
#include <cstdint>
#include <string>
#include <string_view>

enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The kind of the byte at a 0-based index, walking the text from its start.
TMbcsByteType ByteType(std::string_view text, size_t index);

// Length in bytes of the character starting at index (1 or 2; a lead byte at the end is one byte).
size_t CharLength(std::string_view text, size_t index);

// Number of characters of the text.
size_t CharCount(std::string_view text);

// Conversions; bytes that do not convert become U+FFFD or "?", never an error.
std::u32string Cp932ToUtf32(std::string_view cp932);
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// A program text written in the source as UTF-8, as the code page 932 bytes it stands for.
inline std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }
