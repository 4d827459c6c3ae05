#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
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

// Both ends are closed on exec, so that a program started meanwhile from
// another thread does not hold this one's pipe open.
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
void drain(Fd out, Fd err, std::string& outText, std::string& errText) {
  struct Stream {
    Fd* fd;
    std::string* text;
  };
  Stream streams[] = {{&out, &outText}, {&err, &errText}};
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

int exitStatusOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Waits for `pid` to end; its raw wait status.
int waitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throwErrno("waitpid");
  }
  return status;
}

}  // namespace

Child::Child(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const ChildOptions& options) {
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string directory = options.workingDirectory.string();

  Pipe out = makePipe();
  Pipe err = makePipe();
  pid_ = ::fork();
  if (pid_ < 0) throwErrno("fork");
  if (pid_ == 0) {
    becomeProgram(directory.c_str(), out.write.get(), err.write.get(), options.fileSizeLimit,
                  argv.data());
  }
  out.write.reset();
  err.write.reset();
  try {
    reader_ =
        std::thread([this, outRead = std::move(out.read), errRead = std::move(err.read)]() mutable {
          try {
            drain(std::move(outRead), std::move(errRead), output_.out, output_.err);
          } catch (...) {
            readFailure_ = std::current_exception();
          }
        });
  } catch (...) {
    ::kill(pid_, SIGKILL);
    (void)waitFor(pid_);
    throw;
  }
}

Child::~Child() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (reader_.joinable()) reader_.join();
}

ChildResult Child::wait() {
  if (pid_ <= 0) throw std::logic_error("the program was already waited for");
  const int status = waitFor(pid_);
  pid_ = -1;
  reader_.join();
  if (readFailure_) std::rethrow_exception(readFailure_);
  ChildResult result = std::move(output_);
  result.status = exitStatusOf(status);
  return result;
}

ChildResult Child::kill() {
  if (pid_ > 0) ::kill(pid_, SIGKILL);
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
