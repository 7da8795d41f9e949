#include "NameUuid.h"

#include <array>
#include <cstdint>

namespace {

// Chosen once for matfile; changing it would give every exported material a
// new identity.
constexpr char kMaterialNamespace[] = "3f0c9a52-7d4e-4b8a-9c61-2e5d8f1a6b07";

using Digest = std::array<std::uint8_t, 20>;

std::uint32_t rotated(std::uint32_t value, int bits) {
  return (value << bits) | (value >> (32 - bits));
}

// SHA-1, which the UUID's version 5 is defined on; no security rests on it.
Digest sha1(const std::string& message) {
  std::uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  std::string padded = message;
  padded += static_cast<char>(0x80);
  while (padded.size() % 64 != 56) padded += '\0';
  std::uint64_t bits = static_cast<std::uint64_t>(message.size()) * 8;
  for (int shift = 56; shift >= 0; shift -= 8) padded += static_cast<char>(bits >> shift);
  for (std::size_t block = 0; block < padded.size(); block += 64) {
    std::uint32_t w[80];
    for (int i = 0; i < 16; ++i) {
      w[i] = 0;
      for (int b = 0; b < 4; ++b) {
        w[i] = (w[i] << 8) | static_cast<std::uint8_t>(padded[block + 4 * i + b]);
      }
    }
    for (int i = 16; i < 80; ++i) w[i] = rotated(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
      std::uint32_t f, k;
      if (i < 20)
        f = (b & c) | (~b & d), k = 0x5A827999;
      else if (i < 40)
        f = b ^ c ^ d, k = 0x6ED9EBA1;
      else if (i < 60)
        f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
      else
        f = b ^ c ^ d, k = 0xCA62C1D6;
      std::uint32_t next = rotated(a, 5) + f + e + k + w[i];
      e = d, d = c, c = rotated(b, 30), b = a, a = next;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
  }
  Digest digest;
  for (int i = 0; i < 20; ++i)
    digest[i] = static_cast<std::uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string namespaceBytes(const std::string& uuid) {
  std::string bytes;
  int high = -1;
  for (char c : uuid) {
    int value = hexValue(c);
    if (value < 0) continue;
    if (high < 0) {
      high = value;
    } else {
      bytes += static_cast<char>(high * 16 + value);
      high = -1;
    }
  }
  return bytes;
}

}  // namespace

std::string nameUuid(const std::string& namespaceUuid, const std::string& name) {
  Digest digest = sha1(namespaceBytes(namespaceUuid) + name);
  digest[6] = static_cast<std::uint8_t>((digest[6] & 0x0F) | 0x50);
  digest[8] = static_cast<std::uint8_t>((digest[8] & 0x3F) | 0x80);
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 0x0F];
  }
  return text;
}

std::string nameUuid(const std::string& utf8Name) { return nameUuid(kMaterialNamespace, utf8Name); }
