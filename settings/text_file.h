// UTF-16LE line files: the one reader and writer behind every stored file of the program.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelrin {

// Splits the bytes of a UTF-16LE file into lines. The first two bytes (the byte-order mark) are skipped
// unexamined; a line ends at a line feed, which is removed; nothing else is trimmed, so a carriage return
// stays in the line. Text after the last line feed is a last line; a trailing odd byte is ignored.
std::vector<std::u16string> SplitUtf16Lines(std::string_view bytes);

// Reads a whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// ReadFileBytes followed by SplitUtf16Lines; nullopt when the file cannot be read.
std::optional<std::vector<std::u16string>> ReadUtf16LinesFile(const std::filesystem::path& path);

// The byte-order mark FF FE, then every line followed by a single line feed.
std::string EncodeUtf16Lines(const std::vector<std::u16string>& lines);

// Replaces the file at `path` by `bytes` without ever leaving a cut file: writes a temporary file in the
// same folder, flushes it to disk and renames it over the old one. On any failure the old file stays as it
// was, the temporary file is removed and false is returned.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// EncodeUtf16Lines followed by WriteFileAtomically.
bool WriteUtf16LinesFile(const std::filesystem::path& path, const std::vector<std::u16string>& lines);

}  // namespace pelrin
