#pragma once
// A globally unique identifier of a component class or interface, and its text form
// "{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::com {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};

  bool operator==(const Guid&) const = default;
};

namespace detail {

constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::optional<uint32_t> HexNumber(std::string_view text) {
  uint32_t number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<uint32_t>(digit);
  }
  return number;
}

}  // namespace detail

// Reads the braced text form; letter case of the digits does not matter.
constexpr std::optional<Guid> ParseGuid(std::string_view text) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
      text[19] != '-' || text[24] != '-') {
    return std::nullopt;
  }
  const auto d1 = detail::HexNumber(text.substr(1, 8));
  const auto d2 = detail::HexNumber(text.substr(10, 4));
  const auto d3 = detail::HexNumber(text.substr(15, 4));
  if (!d1 || !d2 || !d3) return std::nullopt;
  Guid guid;
  guid.data1 = *d1;
  guid.data2 = static_cast<uint16_t>(*d2);
  guid.data3 = static_cast<uint16_t>(*d3);
  constexpr size_t kByteStarts[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (size_t i = 0; i < 8; ++i) {
    const auto byte = detail::HexNumber(text.substr(kByteStarts[i], 2));
    if (!byte) return std::nullopt;
    guid.data4[i] = static_cast<uint8_t>(*byte);
  }
  return guid;
}

// An identifier written into the code; a malformed text stops the compilation.
consteval Guid MakeGuid(std::string_view text) { return ParseGuid(text).value(); }

// The braced text form with upper-case digits.
std::string GuidText(const Guid& guid);

}  // namespace platform::com
