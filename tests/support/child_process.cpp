#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

extern char** environ;

namespace borvanta::testing_support {

namespace {

[[noreturn]] void throwErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void becomeProgram(const char* directory, const char* out, const char* err,
                                const std::optional<std::uint64_t>& fileSizeLimit,
                                char* const* argv) {
  if (::chdir(directory) != 0) ::_exit(126);
  const int outFd = ::open(out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int errFd = ::open(err, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (outFd < 0 || errFd < 0) ::_exit(126);
  if (::dup2(outFd, STDOUT_FILENO) < 0 || ::dup2(errFd, STDERR_FILENO) < 0) ::_exit(126);
  if (fileSizeLimit) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, nullptr);
    const rlimit limit{*fileSizeLimit, *fileSizeLimit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
  }
  ::execve(argv[0], argv, environ);
  ::_exit(127);
}

// A new empty file for the program's output, outside its directory.
std::filesystem::path newLogFile(const char* kind) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("borvanta-" + std::string(kind) + "-XXXXXX"))
          .string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throwErrno("mkstemp");
  ::close(fd);
  return pattern;
}

int exitStatusOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

Child::Child(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const ChildOptions& options) {
  out_ = newLogFile("out");
  err_ = newLogFile("err");
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string directory = options.workingDirectory.string();
  const std::string out = out_.string();
  const std::string err = err_.string();
  pid_ = ::fork();
  if (pid_ < 0) throwErrno("fork");
  if (pid_ == 0) {
    becomeProgram(directory.c_str(), out.c_str(), err.c_str(), options.fileSizeLimit, argv.data());
  }
}

Child::~Child() {
  if (pid_ > 0) (void)kill();
  std::error_code ignored;
  std::filesystem::remove(out_, ignored);
  std::filesystem::remove(err_, ignored);
}

ChildResult Child::collect(int status) {
  pid_ = -1;
  ChildResult result;
  result.status = exitStatusOf(status);
  result.out = readBytes(out_);
  result.err = readBytes(err_);
  return result;
}

ChildResult Child::wait() {
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0) {
    if (errno != EINTR) throwErrno("waitpid");
  }
  return collect(status);
}

ChildResult Child::kill() {
  ::kill(pid_, SIGKILL);
  return wait();
}

ChildResult runChild(const std::filesystem::path& program,
                     const std::vector<std::string>& arguments, const ChildOptions& options) {
  Child child(program, arguments, options);
  return child.wait();
}

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "borvanta-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throwErrno("mkdtemp");
  path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDirectory::fileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::system_error(errno, std::generic_category(), "open " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::system_error(errno, std::generic_category(), "write " + path.string());
}

}  // namespace borvanta::testing_support
