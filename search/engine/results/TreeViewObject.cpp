#include "search/engine/results/TreeViewObject.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "platform/fs/FileSystem.h"
#include "search/engine/results/DateTimeText.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

// The separator candidates, in order of preference; the pound (0xA3) and not (0xAC) signs
// are single bytes, as in the 8-bit text the lists have always been kept in.
constexpr char kSaveSeparators[] = {
    '|', '!', '%', '*', '?', '/', '#', '~', '@', '{', '[', '}', ']', '<', ',', '>', '.', ';',
    '"', '\xA3', '$', '^', '&', '*', '(', ')', '-', '_', '=', '+', '\xAC', ':', '\\'};
static_assert(sizeof kSaveSeparators == 33);

std::string Joined(char separator, std::initializer_list<std::string_view> fields) {
  std::string text;
  for (std::string_view field : fields) {
    text += separator;
    text += field;
  }
  return text;
}

}  // namespace

char ChooseSaveSeparator(const std::string& text) {
  for (char candidate : kSaveSeparators) {
    if (text.find(candidate) == std::string::npos) return candidate;
  }
  return '\\';
}

TTreeViewFile::TTreeViewFile(std::string fileName, int32_t matches)
    : FileName(std::move(fileName)), Matches(matches) {
  const platform::fs::FileFacts facts = platform::fs::QueryFile(FileName);
  if (facts.size == -1) return;
  Size = facts.size;
  Created = facts.created;
  Modified = facts.modified;
  Accessed = facts.accessed;
}

TTreeViewFile::TTreeViewFile(const TFileListEntry& entry)
    : FileName(entry.FileName),
      Created(entry.Created),
      Modified(entry.Modified),
      Accessed(entry.Accessed),
      Size(entry.Size) {}

TTreeViewFile::TTreeViewFile(std::string fileName, int64_t size, double created, double modified,
                             double accessed, int32_t matches)
    : FileName(std::move(fileName)),
      Created(created),
      Modified(modified),
      Accessed(accessed),
      Size(size),
      Matches(matches) {}

// The path, then in brackets whatever is known and asked for: the match count, the size and
// the three dates. The bracket rules act on the bracket only, never on the path.
std::string TTreeViewFile::GetDisplayText(const TDisplayOptions& options) const {
  std::vector<std::string> facts;
  char buffer[64];
  if (Matches != 0) {
    snprintf(buffer, sizeof buffer, "%d match%s", Matches, PluralSuffix(Matches, "es"));
    facts.emplace_back(buffer);
  }
  if (options.ShowFileSize && Size != -1) {
    snprintf(buffer, sizeof buffer, "%lld byte%s", static_cast<long long>(Size), PluralSuffix(Size));
    facts.emplace_back(buffer);
  }
  const struct {
    bool shown;
    double value;
    const char* label;
  } dates[] = {{options.ShowFileCreationDate, Created, "created "},
               {options.ShowFileModifiedDate, Modified, "modified "},
               {options.ShowFileAccessedDate, Accessed, "accessed "}};
  for (const auto& date : dates) {
    if (date.shown && date.value != 0) facts.push_back(date.label + FormatDateTime(date.value));
  }
  if (facts.empty()) return FileName;
  std::string text = FileName + " [";
  for (size_t i = 0; i < facts.size(); ++i) {
    if (i > 0) text += ", ";
    text += facts[i];
  }
  text += ']';
  return text;
}

std::string TTreeViewFile::GetSaveText() const {
  return Joined(ChooseSaveSeparator(FileName), {"TTreeViewFile", FileName, std::to_string(Matches)});
}

std::string TTreeViewFileLine::GetDisplayText(const TDisplayOptions&) const {
  std::string text;
  AppendDisplayText(text);
  return text;
}

void TTreeViewFileLine::AppendDisplayText(std::string& out) const {
  AppendDisplayPrefix(out, Matched, LineNumber);
  out += Text;
}

// A mark ('*' for a matched line), the line number right-aligned in five places and a blank.
void TTreeViewFileLine::AppendDisplayPrefix(std::string& out, bool matched, int64_t lineNumber) {
  char number[24];
  const auto end = std::to_chars(number, number + sizeof number, lineNumber).ptr;
  const auto digits = static_cast<size_t>(end - number);
  out += matched ? '*' : ' ';
  if (digits < 5) out.append(5 - digits, ' ');
  out.append(number, digits);
  out += ' ';
}

std::string TTreeViewFileLine::GetSaveText() const {
  return Joined(ChooseSaveSeparator(Text), {"TTreeViewFileLine", Text, std::to_string(LineNumber),
                                            Matched ? "-1" : "0"});
}

std::string TTreeViewError::GetSaveText() const {
  return Joined(ChooseSaveSeparator(Text), {"TTreeViewError", Text});
}

}  // namespace search
