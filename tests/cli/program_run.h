#pragma once
// Running a built program as a user would from a shell: in a directory of its
// own, with its standard output and error captured, optionally under a limit
// on the size of the files it may write (ulimit -f). Also a temporary
// directory that removes itself.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace borvanta::testing_support {

struct ProgramResult {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

struct ProgramOptions {
  std::filesystem::path workingDirectory;
  // The largest file the program may write, in bytes; a longer write fails
  // with EFBIG (the signal that would otherwise end the program is ignored).
  std::optional<std::uint64_t> fileSizeLimit;
};

// Runs `program` with `arguments` and waits for it. Throws
// std::system_error when it cannot be started.
[[nodiscard]] ProgramResult runProgram(const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments,
                                       const ProgramOptions& options);

class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // The names of the files in it, sorted.
  [[nodiscard]] std::vector<std::string> fileNames() const;

 private:
  std::filesystem::path path_;
};

// The bytes of a file; throws std::system_error when it cannot be read.
[[nodiscard]] std::string readFileBytes(const std::filesystem::path& path);

}  // namespace borvanta::testing_support
