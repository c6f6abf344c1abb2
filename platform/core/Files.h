#pragma once
// File names and files. Paths are the file system's own bytes (UTF-8 here), not program texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The extension of a path with its dot (".jpeg" of "a.b.jpeg"); empty when the last name has none.
std::string ExtractFileExt(std::string_view path);
// The last name of a path, and the folder before it (without the trailing separator).
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);
// The last name without its last extension ("board.v2" of "/opt/board.v2.exe").
std::string ExtractBaseName(std::string_view path);
// A name inside a folder ("/" + name for the root, the name alone for an empty folder).
std::string JoinPath(std::string_view dir, std::string_view name);

// Compares ignoring the letter case of ASCII letters only, whatever the locale.
bool SameTextAscii(std::string_view a, std::string_view b);

// The running program's own file.
std::string ExecutablePath();

bool FileExists(const std::string& path);
bool DeleteFile(const std::string& path);

// Reads a whole file; EFOpenError "ファイル %s を開けません" when it cannot be opened or read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Writes a file so that it is either wholly replaced or left as it was: the bytes go to a new
// file in the same folder, which replaces the target only once it is complete and flushed.
// A replaced file keeps its permissions. EFCreateError "ファイル %s を作成できません" when the
// target cannot be created or written (a read-only file or folder, a full disk).
void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);
