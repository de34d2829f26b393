#include "platform/registry/RegistryValue.h"

#include <algorithm>
#include <array>

namespace platform::registry {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

}  // namespace

Value DwordValue(uint32_t number) {
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[static_cast<size_t>(i)] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return Value{kRegDword, std::move(data)};
}

Value TextValue(std::string text, uint32_t type) { return Value{type, std::move(text)}; }

Value BinaryValue(std::string bytes) { return Value{kRegBinary, std::move(bytes)}; }

uint32_t DwordOf(const Value& value) {
  if (value.data.size() != 4) return 0;
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) {
    number = (number << 8) | static_cast<unsigned char>(value.data[static_cast<size_t>(i)]);
  }
  return number;
}

std::string_view RootName(Root root) {
  static constexpr std::array<std::string_view, kRootCount> kNames = {
      "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
      "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
  return kNames[static_cast<size_t>(root)];
}

bool NamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = LowerAscii(c);
  return folded;
}

bool IsValidKeyName(std::string_view name) {
  return !name.empty() && name.size() <= 255 && name.find('\\') == std::string_view::npos &&
         !HasControlCharacter(name);
}

bool IsValidValueName(std::string_view name) {
  return name.size() <= 16383 && !HasControlCharacter(name);
}

}  // namespace platform::registry
