#include "backends/vcard/vcard_error.h"

#include <cerrno>

#include "core/text.h"

namespace borvanta::vcard {

namespace {

struct ErrnoText {
  int error;
  const char* text;
};

// The system errors a user can act on, in Korean; others show their number.
constexpr ErrnoText errnoTexts[] = {
    {ENOENT, "파일이나 폴더가 없습니다"},
    {EACCES, "권한이 없습니다"},
    {EPERM, "허용되지 않은 작업입니다"},
    {EROFS, "읽기 전용 파일 시스템입니다"},
    {ENOSPC, "디스크에 남은 공간이 없습니다"},
    {EDQUOT, "디스크 사용 한도를 넘었습니다"},
    {EISDIR, "파일이 아니라 폴더입니다"},
    {EIO, "입출력 오류가 났습니다"},
    {EFBIG, "파일이 너무 큽니다"},
    {ENAMETOOLONG, "경로가 너무 깁니다"},
    {EMFILE, "열린 파일이 너무 많습니다"},
};

std::string errnoText(int error) {
  for (const ErrnoText& entry : errnoTexts) {
    if (entry.error == error) return entry.text;
  }
  return formatText("시스템 오류 %d", error);
}

HRESULT errnoResult(int error) {
  switch (error) {
    case ENOENT:
      return HRESULT_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
      return E_ACCESSDENIED;
    case ENOSPC:
    case EDQUOT:
      return HRESULT_DISK_FULL;
    default:
      return HRESULT_WRITE_FAULT;
  }
}

}  // namespace

std::string displayName(const std::filesystem::path& path) {
  return path.string();
}

VcardError refusedFile(const std::filesystem::path& path, const SyntaxError& error) {
  return VcardError(HRESULT_INVALID_DATA,
                    formatText("'%s' 파일을 열지 않았습니다. %zu번째 줄: %s",
                               displayName(path).c_str(), error.line(), error.reason().c_str()));
}

VcardError systemError(const std::filesystem::path& path, std::string_view what, int error) {
  return VcardError(
      errnoResult(error),
      formatText("'%s' 파일을 %.*s 오류가 났습니다: %s", displayName(path).c_str(),
                 static_cast<int>(what.size()), what.data(), errnoText(error).c_str()));
}

VcardError fileError(HRESULT hr, const std::filesystem::path& path, std::string_view format) {
  const std::string text(format);
  return VcardError(hr, formatText(text.c_str(), displayName(path).c_str()));
}

}  // namespace borvanta::vcard
