#include "tools/generator/photo.h"

#include <array>
#include <cstdint>

namespace borvanta::generator {

namespace {

std::uint32_t crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFU;
  for (const char byte : bytes)
    c = table[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFU;
}

std::uint32_t adler32(std::string_view bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char byte : bytes) {
    a = (a + static_cast<unsigned char>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void appendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void appendChunk(std::string& png, std::string_view type, std::string_view data) {
  appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  std::string typed(type);
  typed.append(data);
  png.append(typed);
  appendBigEndian(png, crc32(typed));
}

}  // namespace

std::string makePhoto(Random& random) {
  const int side = random.between(6, 12);
  // Grey pixels, one filter byte per row, in one stored (uncompressed) block.
  std::string pixels;
  const int shade = random.between(40, 200);
  for (int y = 0; y < side; ++y) {
    pixels.push_back('\0');
    for (int x = 0; x < side; ++x)
      pixels.push_back(static_cast<char>((shade + 7 * x + 11 * y + random.between(0, 15)) & 0xFF));
  }
  std::string zlib("\x78\x01", 2);
  zlib.push_back('\x01');  // final stored block
  const auto length = static_cast<std::uint16_t>(pixels.size());
  zlib.push_back(static_cast<char>(length & 0xFF));
  zlib.push_back(static_cast<char>(length >> 8));
  zlib.push_back(static_cast<char>(~length & 0xFF));
  zlib.push_back(static_cast<char>((~length >> 8) & 0xFF));
  zlib.append(pixels);
  appendBigEndian(zlib, adler32(pixels));

  std::string header;
  appendBigEndian(header, static_cast<std::uint32_t>(side));
  appendBigEndian(header, static_cast<std::uint32_t>(side));
  header.append("\x08\x00\x00\x00\x00", 5);  // 8-bit greyscale, no interlace

  std::string png("\x89PNG\r\n\x1A\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", zlib);
  appendChunk(png, "IEND", "");
  return png;
}

std::string base64(std::string_view bytes) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  const auto at = [&](std::size_t k) -> std::uint32_t {
    return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0U;
  };
  for (; i < bytes.size(); i += 3) {
    const std::uint32_t triple = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
    out.push_back(kAlphabet[(triple >> 18) & 63]);
    out.push_back(kAlphabet[(triple >> 12) & 63]);
    out.push_back(i + 1 < bytes.size() ? kAlphabet[(triple >> 6) & 63] : '=');
    out.push_back(i + 2 < bytes.size() ? kAlphabet[triple & 63] : '=');
  }
  return out;
}

}  // namespace borvanta::generator
