#include "search/ui/UpdateRules.h"

#include <QDate>
#include <charconv>
#include <cstdlib>
#include <optional>

#include "search/engine/TextRules.h"

namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The numbers of a dotted version; nullopt when a part is not a decimal number.
std::optional<std::vector<unsigned long long>> VersionParts(std::string_view text) {
  std::vector<unsigned long long> parts;
  for (const std::string& piece : search::SplitText(Trim(text), ".")) {
    const std::string_view part = Trim(piece);
    unsigned long long number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    if (part.empty() || error != std::errc() || end != part.data() + part.size()) return std::nullopt;
    parts.push_back(number);
  }
  return parts;
}

bool SameName(std::string_view a, std::string_view b) { return search::AsciiLower(a) == search::AsciiLower(b); }

QDate DayZero() { return QDate(1899, 12, 30); }

}  // namespace

int CompareVersions(std::string_view own, std::string_view announced) {
  const auto ownParts = VersionParts(own);
  const auto announcedParts = VersionParts(announced);
  if (!ownParts || !announcedParts) return 0;
  const size_t shorter = std::min(ownParts->size(), announcedParts->size());
  for (size_t i = 0; i < shorter; ++i) {
    if ((*ownParts)[i] != (*announcedParts)[i]) return (*announcedParts)[i] > (*ownParts)[i] ? 1 : -1;
  }
  return 0;
}

std::string GetVersionFileValue(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (SameName(Trim(std::string_view(line).substr(0, equals)), Trim(name))) {
      return std::string(Trim(std::string_view(line).substr(equals + 1)));
    }
  }
  return {};
}

bool IsUpdateCheckDue(int lastCheckDay, int today) {
  const QDate last = DayZero().addDays(lastCheckDay);
  const QDate now = DayZero().addDays(today);
  return last.year() != now.year() || last.month() != now.month();
}

int TodayDayNumber() { return static_cast<int>(DayZero().daysTo(QDate::currentDate())); }

std::string UpdateUserAgent(std::string_view programVersion) {
  std::string agent = "Vantrel Update Bot";
  if (!programVersion.empty()) agent += " V" + std::string(programVersion);
  return agent;
}

std::string VersionFileAddress(const std::string& productAddress) {
  if (const char* overridden = std::getenv("VANTREL_UPDATE_URL"); overridden != nullptr && *overridden != '\0') {
    return overridden;
  }
  return productAddress.empty() ? std::string() : productAddress + "version.txt";
}

bool IsWebAddress(std::string_view address) {
  const std::string lower = search::AsciiLower(Trim(address));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

std::string MakerWebsiteAddress(const std::string& productAddress) {
  const size_t lastSlash = productAddress.rfind('/');
  if (lastSlash == std::string::npos) return {};
  std::string rest = productAddress.substr(0, lastSlash + 1);
  std::string address;
  for (int i = 0; i < 3; ++i) address += search::TakeFirstItem(rest, "/") + "/";
  return address;
}
