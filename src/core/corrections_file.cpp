// The corrections log file: its line format, the bounded reader and the append of a save.
#include "core/corrections_file.h"

#include <algorithm>
#include <cerrno>

#include "core/file_names.h"
#include "core/file_ops.h"

namespace zarim {
namespace {

constexpr int kFieldCount = 8;
constexpr char kHex[] = "0123456789ABCDEF";

// Length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
size_t Utf8Length(std::string_view s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and values past U+10FFFF.
  if (n == 3 && c == 0xE0 && b(i + 1) < 0xA0) return 0;
  if (n == 3 && c == 0xED && b(i + 1) >= 0xA0) return 0;
  if (n == 4 && c == 0xF0 && b(i + 1) < 0x90) return 0;
  if (n == 4 && c == 0xF4 && b(i + 1) >= 0x90) return 0;
  return n;
}

// Control characters, the backslash and bytes that are not UTF-8 are escaped, so a field
// never holds a tab or a line end and the file stays valid UTF-8.
void AppendEscaped(std::string& out, std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c >= 0x20 && c != 0x7F) {
      if (size_t n = Utf8Length(s, i)) {
        out.append(s.substr(i, n));
        i += n;
        continue;
      }
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
    ++i;
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A field as written; false for an escape that the writer never makes.
bool Unescape(std::string_view s, std::string* out) {
  out->clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      *out += s[i];
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i]) {
      case '\\':
        *out += '\\';
        break;
      case 't':
        *out += '\t';
        break;
      case 'n':
        *out += '\n';
        break;
      case 'r':
        *out += '\r';
        break;
      case 'x': {
        if (i + 2 >= s.size()) return false;
        int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
        if (hi < 0 || lo < 0) return false;
        *out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

// Bytes that are not UTF-8 (escaped from a command line) shown as U+FFFD, so every text
// read from a log can be shown and written as JSON.
std::string ValidUtf8(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (size_t n = Utf8Length(s, i)) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

bool Number(std::string_view s, int lo, int hi, int* v) {
  if (s.empty() || s.size() > 5) return false;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < lo || n > hi) return false;
  *v = n;
  return true;
}

bool ParseLine(std::string_view line, CorrectionEntry* e) {
  std::string_view f[kFieldCount];
  int n = 0;
  size_t start = 0;
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != '\t') continue;
    if (n == kFieldCount) return false;
    f[n++] = line.substr(start, i - start);
    start = i + 1;
  }
  if (n != kFieldCount) return false;
  std::string text[kFieldCount];
  for (int k = 0; k < kFieldCount; ++k)
    if (!Unescape(f[k], &text[k])) return false;
  // The month is "YYYY-MM".
  const std::string& month = text[4];
  if (month.size() != 7 || month[4] != '-') return false;
  if (!Number(text[2], 0, 65535, &e->publisher_id) ||
      !Number(std::string_view(month).substr(0, 4), 1900, 2199, &e->year) ||
      !Number(std::string_view(month).substr(5), 1, 12, &e->month))
    return false;
  if (ServiceYearOfWhen(text[0]) == 0) return false;
  e->when = ValidUtf8(text[0]);
  e->command = ValidUtf8(text[1]);
  e->publisher = ValidUtf8(text[3]);
  e->field = ValidUtf8(text[5]);
  e->old_value = ValidUtf8(text[6]);
  e->new_value = ValidUtf8(text[7]);
  return true;
}

std::string TwoDigits(int v) {
  return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

std::string FormatCorrectionLine(const CorrectionEntry& e) {
  std::string out;
  AppendEscaped(out, e.when);
  out += '\t';
  AppendEscaped(out, e.command);
  out += '\t';
  out += std::to_string(e.publisher_id);
  out += '\t';
  AppendEscaped(out, e.publisher);
  out += '\t';
  out += std::to_string(e.year) + "-" + TwoDigits(e.month);
  for (const std::string* s : {&e.field, &e.old_value, &e.new_value}) {
    out += '\t';
    AppendEscaped(out, *s);
  }
  out += '\n';
  return out;
}

int ServiceYearOfWhen(std::string_view when) {
  int year = 0, month = 0;
  if (when.size() < 7 || when[4] != '-' || !Number(when.substr(0, 4), 1900, 2199, &year) ||
      !Number(when.substr(5, 2), 1, 12, &month))
    return 0;
  return month >= 9 ? year + 1 : year;
}

CorrectionsRead ParseCorrections(std::string_view bytes) {
  CorrectionsRead read;
  if (bytes.size() > kMaxCorrectionsBytes) {
    bytes = bytes.substr(0, kMaxCorrectionsBytes);
    read.truncated = true;
  }
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    // A last line without its end is a line cut off while it was written: not an entry.
    if (end == std::string_view::npos) {
      ++read.unreadable;
      break;
    }
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    CorrectionEntry e;
    if (line.size() <= kMaxCorrectionLine && ParseLine(line, &e))
      read.entries.push_back(std::move(e));
    else
      ++read.unreadable;
  }
  return read;
}

CorrectionsRead ReadCorrections(const std::string& folder) {
  return ReadCorrectionsWithYears(folder, {});
}

CorrectionsRead ReadCorrectionsWithYears(const std::string& folder, const std::vector<int>& years) {
  CorrectionsRead all;
  auto add = [&](const std::string& path) {
    auto bytes = ReadFile(path);
    if (!bytes) return false;
    CorrectionsRead one = ParseCorrections(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    all.entries.insert(all.entries.end(), std::make_move_iterator(one.entries.begin()),
                       std::make_move_iterator(one.entries.end()));
    all.unreadable += one.unreadable;
    all.truncated = all.truncated || one.truncated;
    return true;
  };
  for (int year : years) {
    const std::string base = std::string(kCorrectionsYearPrefix) + std::to_string(year);
    bool more = add(JoinPath(folder, base + std::string(kCorrectionsYearSuffix)));
    for (int k = 2; more && k < 100; ++k)
      more = add(
          JoinPath(folder, base + "-" + std::to_string(k) + std::string(kCorrectionsYearSuffix)));
  }
  add(ResolvePath(folder, kFileCorrections));
  return all;
}

std::string CorrectionsYearFileName(const std::string& folder, int service_year) {
  const std::string base = std::string(kCorrectionsYearPrefix) + std::to_string(service_year);
  std::string name = base + std::string(kCorrectionsYearSuffix);
  for (int k = 2; FileExists(JoinPath(folder, name)); ++k)
    name = base + "-" + std::to_string(k) + std::string(kCorrectionsYearSuffix);
  return name;
}

bool AppendCorrections(const std::string& folder, std::string_view lines, int service_year,
                       Bytes* log, std::string* error) {
  const std::string path = ResolvePath(folder, kFileCorrections);
  log->clear();
  if (FileExists(path)) {
    const uint64_t size = FileSize(path);
    std::optional<Bytes> old;
    if (size <= kMaxCorrectionsBytes) {
      old = ReadFile(path);
      if (!old) {
        *error = ErrorText(kFileCorrections, errno ? errno : EIO);
        return false;
      }
    }
    // The service year of the log is its first entry's.
    int log_year = 0;
    if (old) {
      std::string_view text(reinterpret_cast<const char*>(old->data()), old->size());
      log_year = ServiceYearOfWhen(text.substr(0, text.find('\t')));
    }
    const bool roll =
        !old || old->size() > kRollCorrectionsBytes || (log_year != 0 && log_year < service_year);
    if (roll) {
      const std::string to = JoinPath(
          folder, CorrectionsYearFileName(folder, log_year != 0 ? log_year : service_year));
      if (fileops::Rename(path, to) != 0) {
        *error = ErrorText(kFileCorrections, errno);
        return false;
      }
      fileops::FlushFolder(folder);
    } else {
      *log = std::move(*old);
      // A line cut off by hand editing is ended, so the next entry starts a line.
      if (!log->empty() && log->back() != '\n') log->push_back('\n');
    }
  }
  log->insert(log->end(), lines.begin(), lines.end());
  return true;
}

}  // namespace zarim
