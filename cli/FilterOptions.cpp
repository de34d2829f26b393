#include "cli/FilterOptions.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "search/engine/TextRules.h"

namespace cli {
namespace {

using search::TFileFilter;

template <typename Number>
std::optional<Number> ParseDigits(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  Number value{};
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

// YYYY-MM-DDTHH:MM:SS as a local day number.
std::optional<double> ParseDateTime(std::string_view text) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const auto year = ParseDigits<int>(text.substr(0, 4));
  const auto month = ParseDigits<int>(text.substr(5, 2));
  const auto day = ParseDigits<int>(text.substr(8, 2));
  const auto hour = ParseDigits<int>(text.substr(11, 2));
  const auto minute = ParseDigits<int>(text.substr(14, 2));
  const auto second = ParseDigits<int>(text.substr(17, 2));
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*year < 100 || *month < 1 || *month > 12 || *day < 1 || *day > search::DaysInMonth(*year, *month) ||
      *hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  return search::DayNumberOfDate({*year, *month, *day}) + (*hour * 3600 + *minute * 60 + *second) / 86400.0;
}

using TDateFields = TFileFilter::TDatePartFields;

bool ParseRelative(std::string_view rest, TDateFields fields) {
  const size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return false;
  const auto amount = ParseDigits<int32_t>(rest.substr(0, colon));
  const std::string_view unit = rest.substr(colon + 1);
  static constexpr std::string_view kUnits[] = {"minutes", "hours", "days", "weeks", "months", "years"};
  bool known = false;
  for (std::string_view word : kUnits) known = known || word == unit;
  if (!amount || !known) return false;
  fields.Relative = true;
  fields.RelativeAmount = *amount;
  fields.RelativeUnits = std::string(unit);
  return true;
}

bool ParseBetween(std::string_view rest, TDateFields fields) {
  const size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return false;
  const std::string_view from = rest.substr(0, comma);
  const std::string_view to = rest.substr(comma + 1);
  const std::optional<double> min = from.empty() ? search::kMinDateTime : ParseDateTime(from);
  const std::optional<double> max = to.empty() ? search::kMaxDateTime : ParseDateTime(to);
  if (!min || !max || *max < *min) return false;
  fields.Relative = false;
  fields.Min = *min;
  fields.Max = *max;
  return true;
}

}  // namespace

bool ParseSizeFilter(const std::string& value, TFileFilter& filter) {
  const size_t colon = value.find(':');
  if (colon == std::string::npos) return false;
  const std::string_view text(value);
  const std::string_view from = text.substr(0, colon);
  const std::string_view to = text.substr(colon + 1);
  const std::optional<int64_t> min = from.empty() ? 0 : ParseDigits<int64_t>(from);
  const std::optional<int64_t> max = to.empty() ? INT64_MAX : ParseDigits<int64_t>(to);
  if (!min || !max || *max < *min) return false;
  filter.FilterUseSize = true;
  filter.FilterMinSize = *min;
  filter.FilterMaxSize = *max;
  return true;
}

bool ParseDateFilter(const std::string& value, TDateKind kind, TFileFilter& filter) {
  const std::string_view text(value);
  TDateFields fields = filter.DatePartFields()[static_cast<size_t>(kind)];
  const bool parsed = text.starts_with("last:")      ? ParseRelative(text.substr(5), fields)
                      : text.starts_with("between:") ? ParseBetween(text.substr(8), fields)
                                                     : false;
  if (parsed) fields.Use = true;
  return parsed;
}

bool ParseAttributeFilter(const std::string& value, TFileFilter& filter) {
  TFileFilter changed = filter;
  const std::pair<std::string_view, uint8_t*> names[] = {
      {"archive", &changed.FilterAttributeArchive}, {"readonly", &changed.FilterAttributeReadOnly},
      {"system", &changed.FilterAttributeSystem},   {"hidden", &changed.FilterAttributeHidden},
      {"compressed", &changed.FilterAttributeCompressed},
  };
  for (const std::string& item : search::SplitText(value, ",")) {
    if (item.size() < 2 || (item[0] != '+' && item[0] != '-')) return false;
    const std::string_view name = std::string_view(item).substr(1);
    uint8_t* state = nullptr;
    for (const auto& [known, field] : names) {
      if (known == name) state = field;
    }
    if (state == nullptr) return false;
    *state = item[0] == '+' ? search::kAttributeSet : search::kAttributeNotSet;
  }
  if (value.empty() || value.back() == ',') return false;
  changed.FilterUseAttribute = true;
  filter = changed;
  return true;
}

}  // namespace cli
