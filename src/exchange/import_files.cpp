// Bounded reading of an import file.
#include "exchange/import_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstring>

namespace zarim {

std::optional<Bytes> ReadImportFile(const std::string& path, size_t limit, ImportFileError* why) {
  ImportFileError ignored;
  if (!why) why = &ignored;
  *why = ImportFileError::kCannotOpen;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool stated = ::fstat(fd, &st) == 0;
  if (!stated || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > limit) {
    if (stated)
      *why = !S_ISREG(st.st_mode) ? ImportFileError::kNotRegular : ImportFileError::kTooLarge;
    ::close(fd);
    return std::nullopt;
  }
  *why = ImportFileError::kNone;
  Bytes data(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < data.size()) {
    const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
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
