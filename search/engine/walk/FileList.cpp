#include "search/engine/walk/FileList.h"

#include <charconv>
#include <cmath>

#include "platform/fs/FileSystem.h"

namespace search {
namespace {

void AppendNumber(std::string& out, int64_t value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendTime(std::string& out, double value) {
  char buffer[400];
  if (!std::isfinite(value)) value = 0;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  out.append(buffer, result.ptr);
}

template <typename Number>
Number ParseNumber(std::string_view text, Number fallback) {
  Number value{};
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : fallback;
}

double ParseTime(std::string_view text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::general);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : 0;
}

}  // namespace

std::string TFileListEntry::Encode() const {
  std::string text;
  text.reserve(FileName.size() + 64);
  text += FileName;
  text += '|';
  AppendNumber(text, Size);
  text += '|';
  AppendTime(text, Created);
  text += '|';
  AppendTime(text, Modified);
  text += '|';
  AppendTime(text, Accessed);
  text += '|';
  AppendNumber(text, Attributes);
  return text;
}

TFileListEntry TFileListEntry::Decode(const std::string& text) {
  std::string_view rest(text);
  std::string_view numbers[5];
  for (int field = 4; field >= 0; --field) {
    const size_t bar = rest.rfind('|');
    if (bar == std::string_view::npos) {
      // Fewer fields than expected: what is left is the path.
      TFileListEntry partial;
      partial.FileName = std::string(rest);
      return partial;
    }
    numbers[field] = rest.substr(bar + 1);
    rest = rest.substr(0, bar);
  }
  TFileListEntry entry;
  entry.FileName = std::string(rest);
  entry.Size = ParseNumber<int64_t>(numbers[0], -1);
  entry.Created = ParseTime(numbers[1]);
  entry.Modified = ParseTime(numbers[2]);
  entry.Accessed = ParseTime(numbers[3]);
  entry.Attributes = ParseNumber<int32_t>(numbers[4], -1);
  return entry;
}

const std::vector<TFileListEntry>& TFileList::Entries() const {
  static const std::vector<TFileListEntry> kNone;
  return entries_ ? *entries_ : kNone;
}

std::vector<TFileListEntry>& TFileList::Mutable() {
  if (!entries_) {
    entries_ = std::make_shared<std::vector<TFileListEntry>>();
  } else if (entries_.use_count() > 1) {
    entries_ = std::make_shared<std::vector<TFileListEntry>>(*entries_);
  }
  return *entries_;
}

std::vector<std::string> TFileList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(Count());
  for (const TFileListEntry& entry : Entries()) texts.push_back(entry.Encode());
  return texts;
}

void TFileList::ReadMissingFacts() {
  if (Empty()) return;
  for (TFileListEntry& entry : Mutable()) {
    if (entry.Size != -1 || entry.Attributes != -1) continue;
    const platform::fs::FileFacts facts = platform::fs::QueryFile(entry.FileName);
    entry = {std::move(entry.FileName), facts.size, facts.created, facts.modified, facts.accessed,
             facts.attributes};
  }
}

void TFileList::AddFile(const std::string& path) {
  const platform::fs::FileFacts facts = platform::fs::QueryFile(path);
  AddEntry({path, facts.size, facts.created, facts.modified, facts.accessed, facts.attributes});
}

}  // namespace search
