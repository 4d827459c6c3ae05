#pragma once
// The one failure of the vCard backend: a result code and a Korean
// description (UTF-8) that names the file and the reason. Thrown inside the
// backend, turned into a result code and an error description where the
// object model is called.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/hresult.h"

namespace borvanta::vcard {

class VcardError : public std::runtime_error {
 public:
  VcardError(HRESULT hr, std::string description)
      : std::runtime_error(description), hr_(hr), description_(std::move(description)) {}

  [[nodiscard]] HRESULT hr() const noexcept { return hr_; }
  [[nodiscard]] const std::string& description() const noexcept { return description_; }

 private:
  HRESULT hr_;
  std::string description_;
};

// A place in a file where the reader stopped: its line (1-based) and why, in
// Korean. The file is named by whoever catches it.
class SyntaxError : public std::runtime_error {
 public:
  SyntaxError(std::size_t line, std::string reason)
      : std::runtime_error(reason), line_(line), reason_(std::move(reason)) {}

  [[nodiscard]] std::size_t line() const noexcept { return line_; }
  [[nodiscard]] const std::string& reason() const noexcept { return reason_; }

 private:
  std::size_t line_;
  std::string reason_;
};

// The file as the user knows it, for messages (UTF-8).
[[nodiscard]] std::string displayName(const std::filesystem::path& path);

// "'<file>' 파일의 <line>번째 줄을 읽을 수 없습니다: <reason>" and its kin.
[[nodiscard]] VcardError refusedFile(const std::filesystem::path& path, const SyntaxError& error);
// A system call on `path` failed with `error` (an errno value) while doing
// `what` (Korean, e.g. "쓰는 중").
[[nodiscard]] VcardError systemError(const std::filesystem::path& path, std::string_view what,
                                     int error);
// Any other failure concerning `path`: `format` holds one "%s" for the file.
[[nodiscard]] VcardError fileError(HRESULT hr, const std::filesystem::path& path,
                                   std::string_view format);

}  // namespace borvanta::vcard
