#include "platform/shell/DesktopEntry.h"

#include <fstream>

#include "platform/shell/FileUri.h"

namespace platform::shell {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The value escapes of the file format: \s \n \t \r \\.
std::string Unescaped(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 >= value.size()) {
      text += value[i];
      continue;
    }
    const char code = value[++i];
    switch (code) {
      case 's': text += ' '; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case 'r': text += '\r'; break;
      case '\\': text += '\\'; break;
      default: text += '\\'; text += code; break;
    }
  }
  return text;
}

std::vector<std::string> SplitList(const std::string& value) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < value.size()) {
    const size_t end = std::min(value.find(';', start), value.size());
    if (end > start) items.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

// The Exec words: blanks separate, double quotes group, and inside quotes a backslash takes
// the next character as it is.
std::vector<std::string> ExecWords(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size()) {
        word += exec[++i];
      } else {
        word += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace

std::optional<TDesktopEntry> ReadDesktopEntry(const std::string& path, const std::string& id) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  TDesktopEntry entry;
  entry.Id = id;
  entry.FilePath = path;
  bool inGroup = false;
  bool sawGroup = false;
  std::string type;
  std::string line;
  while (std::getline(in, line)) {
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inGroup = line == "[Desktop Entry]";
      sawGroup |= inGroup;
      continue;
    }
    if (!inGroup) continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = Trimmed(line.substr(0, equals));
    const std::string value = Unescaped(Trimmed(line.substr(equals + 1)));
    if (key == "Name") entry.Name = value;
    else if (key == "Exec") entry.Exec = value;
    else if (key == "TryExec") entry.TryExec = value;
    else if (key == "Icon") entry.Icon = value;
    else if (key == "MimeType") entry.MimeTypes = SplitList(value);
    else if (key == "Hidden") entry.Hidden = value == "true";
    else if (key == "Type") type = value;
  }
  if (!sawGroup || type != "Application" || entry.Exec.empty()) return std::nullopt;
  return entry;
}

TProgramCall ExecCall(const TDesktopEntry& entry, const std::vector<std::string>& paths) {
  TProgramCall call;
  std::vector<std::string> words;
  for (const std::string& word : ExecWords(entry.Exec)) {
    if (word == "%F" || word == "%U") {
      for (const std::string& path : paths) words.push_back(word == "%F" ? path : FileUri(path));
      continue;
    }
    if (word == "%i") {
      if (!entry.Icon.empty()) words.insert(words.end(), {"--icon", entry.Icon});
      continue;
    }
    std::string expanded;
    bool dropped = false;
    for (size_t i = 0; i < word.size(); ++i) {
      if (word[i] != '%' || i + 1 >= word.size()) {
        expanded += word[i];
        continue;
      }
      const char code = word[++i];
      const std::string first = paths.empty() ? std::string() : paths.front();
      switch (code) {
        case 'f': case 'F': expanded += first; dropped |= paths.empty(); break;
        case 'u': case 'U': if (!paths.empty()) expanded += FileUri(first); dropped |= paths.empty(); break;
        case 'c': expanded += entry.Name; break;
        case 'k': expanded += entry.FilePath; break;
        case '%': expanded += '%'; break;
        default: dropped = true; break;  // %d %D %n %N %v %m and unknown codes are dropped
      }
    }
    if (!(dropped && expanded.empty())) words.push_back(expanded);
  }
  if (!words.empty()) {
    call.Program = words.front();
    call.Arguments.assign(words.begin() + 1, words.end());
  }
  return call;
}

std::string EntryProgram(const TDesktopEntry& entry) {
  if (!entry.TryExec.empty()) return ResolveProgram(entry.TryExec);
  return ResolveProgram(ExecCall(entry, {}).Program);
}

}  // namespace platform::shell
