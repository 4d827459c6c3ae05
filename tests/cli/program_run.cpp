#include "tests/cli/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

extern char** environ;

namespace borvanta::testing_support {

namespace {

[[noreturn]] void throwErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// A file descriptor that is closed when it goes.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  [[nodiscard]] int get() const { return fd_; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct Pipe {
  Fd read;
  Fd write;
};

Pipe makePipe() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throwErrno("pipe2");
  return {Fd(fds[0]), Fd(fds[1])};
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void becomeProgram(const char* directory, int out, int err,
                                const std::optional<std::uint64_t>& fileSizeLimit,
                                char* const* argv) {
  if (::chdir(directory) != 0) ::_exit(126);
  if (::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0) ::_exit(126);
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

// Reads both pipes to their end, whichever the program writes first.
void drain(Fd& out, Fd& err, ProgramResult& result) {
  struct Stream {
    Fd* fd;
    std::string* text;
  };
  Stream streams[] = {{&out, &result.out}, {&err, &result.err}};
  for (;;) {
    pollfd polled[2];
    Stream* owners[2];
    nfds_t count = 0;
    for (Stream& stream : streams) {
      if (stream.fd->get() < 0) continue;
      polled[count] = {stream.fd->get(), POLLIN, 0};
      owners[count++] = &stream;
    }
    if (count == 0) return;
    if (::poll(polled, count, -1) < 0) {
      if (errno == EINTR) continue;
      throwErrno("poll");
    }
    for (nfds_t i = 0; i < count; ++i) {
      if (polled[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(polled[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        owners[i]->text->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        owners[i]->fd->reset();
      }
    }
  }
}

}  // namespace

ProgramResult runProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments, const ProgramOptions& options) {
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string directory = options.workingDirectory.string();

  Pipe out = makePipe();
  Pipe err = makePipe();
  const pid_t pid = ::fork();
  if (pid < 0) throwErrno("fork");
  if (pid == 0) {
    becomeProgram(directory.c_str(), out.write.get(), err.write.get(), options.fileSizeLimit,
                  argv.data());
  }
  out.write.reset();
  err.write.reset();

  ProgramResult result;
  drain(out.read, err.read, result);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throwErrno("waitpid");
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "borvanta-cli-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throwErrno("mkdtemp");
  path_ = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryDirectory::fileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string readFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::system_error(ENOENT, std::generic_category(), path.string());
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace borvanta::testing_support
