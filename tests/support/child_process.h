#pragma once
// Programs run as a user runs them, from the tests: started in a directory
// with their standard output and error read into memory through pipes (a full
// disk, or the limit on the size of the files they write, must not cut what
// they say), optionally under that limit, and either waited for or killed at
// a chosen moment. A thread reads the pipes while the program runs, so that a
// program that writes much never waits for its reader.

#include <sys/types.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace borvanta::testing_support {

struct ChildOptions {
  std::filesystem::path workingDirectory;
  // The largest file the program may write (ulimit -f); a longer write fails
  // with EFBIG rather than ending the program.
  std::optional<std::uint64_t> fileSizeLimit;
};

struct ChildResult {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

class Child {
 public:
  // Starts `program` with `arguments`. Throws std::system_error.
  Child(const std::filesystem::path& program, const std::vector<std::string>& arguments,
        const ChildOptions& options);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Waits for the program to end by itself. Throws std::system_error; once
  // the program has been waited for, std::logic_error.
  ChildResult wait();
  // Ends the program with SIGKILL (if it is still running) and waits for it.
  ChildResult kill();

 private:
  pid_t pid_ = -1;
  ChildResult output_;              // filled by reader_ until the program closes its ends
  std::exception_ptr readFailure_;  // what stopped reader_ early, if anything
  std::thread reader_;
};

// Starts `program` and waits for it.
[[nodiscard]] ChildResult runChild(const std::filesystem::path& program,
                                   const std::vector<std::string>& arguments,
                                   const ChildOptions& options);

// A directory under the system's temporary directory, removed with everything
// in it when it goes.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
    return path_ / name;
  }
  // The names of the files in it, sorted.
  [[nodiscard]] std::vector<std::string> fileNames() const;

 private:
  std::filesystem::path path_;
};

[[nodiscard]] std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace borvanta::testing_support
