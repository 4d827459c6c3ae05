#pragma once
// Files for the vCard tests: a private temporary folder that removes itself,
// whole-file reads and writes, and the fixtures under tests/data/vcard.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace borvanta::vcard::vcardtest {

// A folder of its own under the system's temporary folder (on a memory file
// system when there is one, so that flushes cost nothing).
class TempDir {
 public:
  TempDir() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "borvanta-vcard-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// "a.vcf" + ".bak" -> "a.vcf.bak"
inline std::filesystem::path besidesName(const std::filesystem::path& path,
                                         std::string_view suffix) {
  std::filesystem::path result = path;
  result += std::string(suffix);
  return result;
}

inline std::filesystem::path sourceDir() {
  if (const char* dir = std::getenv("BORVANTA_SOURCE_DIR")) return dir;
  return std::filesystem::current_path();
}

inline std::filesystem::path fixture(std::string_view name) {
  return sourceDir() / "tests/data/vcard" / name;
}

// "line 12: expected <...> but was <...>" for the first line where two
// texts differ; empty when they are equal.
inline std::string firstDifference(std::string_view expected, std::string_view actual) {
  std::size_t line = 1;
  std::size_t at = 0;
  while (true) {
    const std::size_t expectedEnd = expected.find('\n', at);
    const std::size_t actualEnd = actual.find('\n', at);
    const std::string_view e = expected.substr(
        at, expectedEnd == std::string_view::npos ? std::string_view::npos : expectedEnd + 1 - at);
    const std::string_view a = actual.substr(
        at, actualEnd == std::string_view::npos ? std::string_view::npos : actualEnd + 1 - at);
    if (e != a) {
      std::ostringstream out;
      out << "line " << line << ": expected <" << e << "> but was <" << a << ">";
      return out.str();
    }
    if (expectedEnd == std::string_view::npos) return {};
    at = expectedEnd + 1;
    ++line;
  }
}

}  // namespace borvanta::vcard::vcardtest
