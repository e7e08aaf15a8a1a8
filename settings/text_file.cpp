// UTF-16LE line files: reading, encoding and crash-safe replacement.
#include "settings/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pelrin {

std::vector<std::u16string> SplitUtf16Lines(std::string_view bytes) {
  std::vector<std::u16string> lines;
  if (bytes.size() <= 2) return lines;
  const std::size_t unitCount = (bytes.size() - 2) / 2;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data()) + 2;
  auto unitAt = [data](std::size_t i) { return static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)); };
  std::size_t start = 0;
  while (start < unitCount) {
    std::size_t end = start;
    while (end < unitCount && unitAt(end) != u'\n') ++end;
    std::u16string line(end - start, u'\0');
    for (std::size_t i = start; i < end; ++i) line[i - start] = unitAt(i);
    lines.push_back(std::move(line));
    start = end + 1;  // past the line feed; a last line without one ends the loop
  }
  return lines;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

std::optional<std::vector<std::u16string>> ReadUtf16LinesFile(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return SplitUtf16Lines(*bytes);
}

std::string EncodeUtf16Lines(const std::vector<std::u16string>& lines) {
  std::size_t units = 1;
  for (const auto& line : lines) units += line.size() + 1;
  std::string bytes;
  bytes.reserve(units * 2);
  bytes += '\xFF';
  bytes += '\xFE';
  auto put = [&bytes](char16_t unit) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  };
  for (const auto& line : lines) {
    for (char16_t unit : line) put(unit);
    put(u'\n');
  }
  return bytes;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) return false;
  std::string tempName = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  // mkstemp creates the file 0600; keep the mode of the file being replaced, else an ordinary 0644.
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  ok = ok && ::chmod(tempName.c_str(), mode) == 0;
  ok = ok && ::rename(tempName.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(tempName.c_str());
    return false;
  }
  // Make the rename itself durable.
  const std::string folder = path.has_parent_path() ? path.parent_path().string() : std::string(".");
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

bool WriteUtf16LinesFile(const std::filesystem::path& path, const std::vector<std::u16string>& lines) {
  return WriteFileAtomically(path, EncodeUtf16Lines(lines));
}

}  // namespace pelrin
