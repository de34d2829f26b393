#include "search/engine/filter/FilterDescription.h"

#include <cstdint>

#include "search/engine/TextRules.h"
#include "search/engine/filter/FormatSize.h"
#include "search/engine/results/DateTimeText.h"

namespace search {
namespace {

// Builds the hint clause by clause and the label part by part.
class TDescriptionBuilder {
 public:
  void Part(const char* name) {
    label_ += ", ";
    label_ += name;
  }
  // A clause that ends in ";" is followed by a line break.
  void Clause(const std::string& text) {
    hint_ += text;
    if (!text.empty() && text.back() == ';') hint_ += '\n';
  }
  TFilterDescription Result() const {
    std::string label = Trim(label_);
    if (!label.empty() && label.front() == ',') label = Trim(label.substr(1));
    return {label.empty() ? kNoFilterLabel : label, Trim(hint_)};
  }

 private:
  std::string label_;
  std::string hint_;
};

void DescribeSize(const TFileFilter& filter, TDescriptionBuilder& builder) {
  const bool hasMin = filter.FilterMinSize != 0;
  const bool hasMax = filter.FilterMaxSize != INT64_MAX;
  const std::string min = FormatSize(filter.FilterMinSize);
  const std::string max = FormatSize(filter.FilterMaxSize);
  if (hasMin && hasMax) {
    builder.Clause("size between " + min + " and " + max + ";");
  } else if (hasMax) {
    builder.Clause("size smaller than " + max + ";");
  } else if (hasMin) {
    builder.Clause("size larger than " + min + ";");
  } else {
    return;
  }
  builder.Part("size");
}

void DescribeDate(const TFileFilter::TDatePart& part, TDescriptionBuilder& builder) {
  builder.Part(part.Name);
  if (part.Relative) {
    builder.Clause("within previous " + std::to_string(part.RelativeAmount) + " " + part.RelativeUnits + ";");
    return;
  }
  const bool hasMin = part.Min != kMinDateTime;
  const bool hasMax = part.Max != kMaxDateTime;
  const std::string name = part.Name;
  if (hasMin && hasMax) {
    builder.Clause(name + " between " + FormatDateAndTime(part.Min) + " and " + FormatDateAndTime(part.Max) + ";");
  } else if (hasMin) {
    builder.Clause(name + " after " + FormatDateAndTime(part.Min) + ";");
  } else if (hasMax) {
    builder.Clause(name + " before " + FormatDateAndTime(part.Max) + ";");
  }
}

// "+" and the letter for must be set, "-" and the letter for must not be set, in the order
// archive, compressed, read-only, system, hidden.
void DescribeAttributes(const TFileFilter& filter, TDescriptionBuilder& builder) {
  const std::pair<uint8_t, char> tests[] = {
      {filter.FilterAttributeArchive, 'A'}, {filter.FilterAttributeCompressed, 'C'},
      {filter.FilterAttributeReadOnly, 'R'}, {filter.FilterAttributeSystem, 'S'},
      {filter.FilterAttributeHidden, 'H'},
  };
  std::string clause = "attribute ";
  for (const auto& [state, letter] : tests) {
    if (state == kAttributeSet) clause += std::string("+") + letter;
    if (state == kAttributeNotSet) clause += std::string("-") + letter;
  }
  builder.Clause(clause);
  builder.Part("attribute");
}

}  // namespace

std::vector<std::string> TFilterDescription::HintLines() const {
  if (Hint.empty()) return {};
  return SplitText(Hint, "\n");
}

TFilterDescription DescribeFilter(const TFileFilter& filter) {
  TDescriptionBuilder builder;
  if (filter.FilterUseSize) DescribeSize(filter, builder);
  for (const TFileFilter::TDatePart& part : filter.DateParts()) {
    if (part.Use) DescribeDate(part, builder);
  }
  if (filter.FilterUseAttribute) DescribeAttributes(filter, builder);
  return builder.Result();
}

}  // namespace search
