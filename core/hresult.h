#pragma once
// Result codes of the object models the program drives. The values are the
// well-known COM codes, so that an error shown to the user ("오류 0x80004003")
// means the same thing everywhere.

#include <cstdint>

namespace borvanta {

using HRESULT = std::int32_t;

constexpr HRESULT makeHresult(std::uint32_t bits) {
  return static_cast<HRESULT>(bits);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = makeHresult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = makeHresult(0x80004002u);
inline constexpr HRESULT E_POINTER = makeHresult(0x80004003u);
inline constexpr HRESULT E_ABORT = makeHresult(0x80004004u);
inline constexpr HRESULT E_FAIL = makeHresult(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = makeHresult(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = makeHresult(0x80070005u);
inline constexpr HRESULT E_OUTOFMEMORY = makeHresult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = makeHresult(0x80070057u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = makeHresult(0x80040154u);
inline constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = makeHresult(0x80080005u);
// Win32 errors carried as HRESULTs (facility 7), used by the file backends.
inline constexpr HRESULT HRESULT_FILE_NOT_FOUND = makeHresult(0x80070002u);
inline constexpr HRESULT HRESULT_SHARING_VIOLATION = makeHresult(0x80070020u);
inline constexpr HRESULT HRESULT_LOCK_VIOLATION = makeHresult(0x80070021u);
inline constexpr HRESULT HRESULT_DISK_FULL = makeHresult(0x80070070u);
inline constexpr HRESULT HRESULT_INVALID_DATA = makeHresult(0x8007000Du);
inline constexpr HRESULT HRESULT_WRITE_FAULT = makeHresult(0x8007001Du);

constexpr bool failed(HRESULT hr) {
  return hr < 0;
}
constexpr bool succeeded(HRESULT hr) {
  return hr >= 0;
}

}  // namespace borvanta
