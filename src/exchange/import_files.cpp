// Bounded reading of an import file.
#include "exchange/import_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "core/strings.h"

namespace zarim {

std::optional<Bytes> ReadImportFile(const std::string& path, size_t limit, std::string* refusal) {
  auto refuse = [&](std::string text) -> std::optional<Bytes> {
    if (refusal) *refusal = std::move(text);
    return std::nullopt;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return refuse(Fill(Sid::kImportUnreadable, path, std::strerror(errno)));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return refuse(Fill(Sid::kImportNotRegular, path));
  }
  if (static_cast<uint64_t>(st.st_size) > limit) {
    ::close(fd);
    return refuse(Fill(Sid::kImportTooLarge, path, std::to_string(limit / 1024) + " KB"));
  }
  Bytes data(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < data.size()) {
    const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      ::close(fd);
      return refuse(Fill(Sid::kImportUnreadable, path, std::strerror(err)));
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  data.resize(got);
  return data;
}

bool HasExtension(const std::string& name, const char* ext) {
  const size_t n = std::strlen(ext);
  if (name.size() < n) return false;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char a = static_cast<unsigned char>(name[name.size() - n + i]);
    if (std::tolower(a) != std::tolower(static_cast<unsigned char>(ext[i]))) return false;
  }
  return true;
}

}  // namespace zarim
