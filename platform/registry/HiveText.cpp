#include "platform/registry/HiveText.h"

#include <cstdio>
#include <vector>

namespace platform::registry {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr size_t kBytesPerHexLine = 25;

// ---- writing ----

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

bool FitsInQuotes(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

std::string HexList(std::string_view bytes) {
  std::string out;
  char item[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += (i % kBytesPerHexLine == 0) ? ",\\\n  " : ",";
    std::snprintf(item, sizeof item, "%02x", static_cast<unsigned char>(bytes[i]));
    out += item;
  }
  return out;
}

std::string ValueData(const Value& value) {
  if (value.type == kRegSz && FitsInQuotes(value.data)) return Quoted(value.data);
  if (value.type == kRegDword && value.data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x", DwordOf(value));
    return number;
  }
  if (value.type == kRegBinary) return "hex:" + HexList(value.data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
  return prefix + HexList(value.data);
}

// Where the text goes: into a string, or only counted (the size check on loading walks the
// hive exactly as writing does). Add returns false once the text passes the sink's limit.
struct TextSink {
  std::string& out;
  bool Add(std::string_view piece) {
    out += piece;
    return true;
  }
};

struct SizeSink {
  size_t limit;
  size_t size = 0;
  bool Add(std::string_view piece) {
    size += piece.size();
    return size <= limit;
  }
};

// `path` is the key's whole path; it is extended for each subkey and restored afterwards.
template <typename Sink>
bool WriteKey(const HiveKey& key, std::string& path, bool isTop, Sink& out) {
  if (!isTop || !key.Values().empty() || !key.KeptLines().empty()) {
    if (!out.Add("[") || !out.Add(path) || !out.Add("]\n")) return false;
    for (const NamedValue& v : key.Values()) {
      const std::string name = v.name.empty() ? std::string("@") : Quoted(v.name);
      if (!out.Add(name) || !out.Add("=") || !out.Add(ValueData(v.value)) || !out.Add("\n")) return false;
    }
    for (const KeptLine& line : key.KeptLines()) {
      if (!out.Add(line.text) || !out.Add("\n")) return false;
    }
    if (!out.Add("\n")) return false;
  }
  for (const HiveKey& subkey : key.Subkeys()) {
    const size_t length = path.size();
    path += '\\';
    path += subkey.name;
    const bool fits = WriteKey(subkey, path, false, out);
    path.resize(length);
    if (!fits) return false;
  }
  return true;
}

template <typename Sink>
bool WriteHive(const Hive& hive, Sink& out) {
  std::string path = hive.Top().name;
  return out.Add(kHeader) && out.Add("\n\n") && WriteKey(hive.Top(), path, true, out);
}

// ---- reading ----

// The lines of the text, each as it stands in the file without its line feed (a carriage
// return before it is kept: lines that are kept unread are written back exactly).
struct Lines {
  std::string_view text;
  size_t pos = 0;
  int number = 0;

  bool Next(std::string_view& line) {
    if (pos >= text.size()) return false;
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    return true;
  }
};

// A line without the carriage return of a CR LF line end.
std::string_view ContentOf(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool ReadQuoted(std::string_view text, size_t& pos, std::string& out) {
  out.clear();
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) ++pos;
    out += text[pos];
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexNumber(std::string_view text, uint32_t& number) {
  if (text.empty() || text.size() > 8) return false;
  number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    number = (number << 4) | static_cast<uint32_t>(digit);
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool ParseHexBytes(std::string_view text, std::string& bytes) {
  bytes.clear();
  text = Trimmed(text);
  if (text.empty()) return true;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view item = Trimmed(text.substr(start, end - start));
    if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) return false;
    bytes += static_cast<char>(HexDigit(item[0]) * 16 + HexDigit(item[1]));
    start = end + 1;
  }
  return true;
}

// The data of a hex value may go on over lines that end with a backslash.
std::string JoinContinuations(std::string_view first, Lines& lines) {
  std::string joined(first);
  std::string_view next;
  while (!joined.empty() && joined.back() == '\\' && lines.Next(next)) {
    joined.pop_back();
    joined += Trimmed(ContentOf(next));
  }
  return joined;
}

enum class DataKind { Parsed, Unknown, Broken };

DataKind ParseData(std::string_view data, Lines& lines, Value& value) {
  std::string bytes;
  if (!data.empty() && data.front() == '"') {
    size_t pos = 0;
    if (!ReadQuoted(data, pos, bytes) || pos != data.size()) return DataKind::Broken;
    value = TextValue(bytes);
    return DataKind::Parsed;
  }
  if (data.starts_with("dword:")) {
    uint32_t number = 0;
    if (!ParseHexNumber(data.substr(6), number)) return DataKind::Broken;
    value = DwordValue(number);
    return DataKind::Parsed;
  }
  uint32_t type = kRegBinary;
  std::string_view list;
  if (data.starts_with("hex:")) {
    list = data.substr(4);
  } else if (data.starts_with("hex(")) {
    const size_t close = data.find("):");
    if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), type)) {
      return DataKind::Broken;
    }
    list = data.substr(close + 2);
  } else {
    return DataKind::Unknown;
  }
  if (!ParseHexBytes(JoinContinuations(list, lines), bytes)) return DataKind::Broken;
  value = Value{type, bytes};
  return DataKind::Parsed;
}

class Parser {
 public:
  Parser(Root root, std::string_view text) : hive_(root) { lines_.text = text; }

  std::optional<Hive> Run(std::string& problem) {
    std::string_view line;
    if (!lines_.Next(line) || ContentOf(line) != kHeader) {
      return Fail("the first line is not " + std::string(kHeader), problem);
    }
    while (lines_.Next(line)) {
      if (!ParseLine(line)) return Fail(problem_, problem);
    }
    hive_.AddPredefinedKeys();
    SizeSink size{kMaxHiveTextSize};
    if (!WriteHive(hive_, size)) {
      problem = "its keys would take more than " + std::to_string(kMaxHiveTextSize >> 20) + " MB to write";
      return std::nullopt;
    }
    return std::move(hive_);
  }

 private:
  std::optional<Hive> Fail(const std::string& what, std::string& problem) {
    problem = "line " + std::to_string(lines_.number) + ": " + what;
    return std::nullopt;
  }

  bool ParseLine(std::string_view raw) {
    const std::string_view line = ContentOf(raw);
    if (line.find('\0') != std::string_view::npos) return Broken("a NUL byte");
    if (Trimmed(line).empty()) return true;
    if (line.front() == '[') return ParseSection(Trimmed(line));
    if (line.front() == '"' || line.front() == '@') return ParseValue(line, raw);
    Keep(KeptLine{std::string(raw), false, {}});
    return true;
  }

  bool ParseSection(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return Broken("a section line without ]");
    const std::string_view inner = line.substr(1, line.size() - 2);
    const std::string_view rootName = RootName(hive_.GetRoot());
    if (inner.size() > rootName.size() + 1 + kMaxKeyPathLength) return Broken("a key path that is too long");
    std::vector<std::string> path;
    size_t start = 0;
    while (start <= inner.size()) {
      size_t end = inner.find('\\', start);
      if (end == std::string_view::npos) end = inner.size();
      path.emplace_back(inner.substr(start, end - start));
      start = end + 1;
    }
    if (!NamesEqual(path.front(), rootName)) return Broken("a section of another root");
    path.erase(path.begin());
    if (path.size() > kMaxKeyDepth) return Broken("keys nested too deeply");
    for (const std::string& name : path) {
      if (!IsValidKeyName(name)) return Broken("an empty or invalid key name");
    }
    bool created = false;
    current_ = &hive_.Create(path, created);
    return true;
  }

  // `raw` is the line as it stands in the file, kept when its data is of an unknown kind.
  bool ParseValue(std::string_view line, std::string_view raw) {
    std::string name;
    size_t pos = 0;
    if (line.front() == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
      return Broken("an unterminated value name");
    }
    if (pos >= line.size() || line[pos] != '=') return Broken("a value name without =");
    Value value;
    switch (ParseData(line.substr(pos + 1), lines_, value)) {
      case DataKind::Broken:
        return Broken("unreadable value data");
      case DataKind::Unknown:
        Keep(KeptLine{std::string(raw), true, name});
        return true;
      case DataKind::Parsed:
        break;
    }
    if (current_ == nullptr) return Broken("a value before the first section");
    current_->SetValue(name, value);
    return true;
  }

  void Keep(KeptLine line) {
    HiveKey& key = current_ != nullptr ? *current_ : hive_.Top();
    key.KeepLine(std::move(line));
  }

  bool Broken(const std::string& what) {
    problem_ = what;
    return false;
  }

  Hive hive_;
  Lines lines_;
  HiveKey* current_ = nullptr;
  std::string problem_;
};

}  // namespace

std::string WriteHiveText(const Hive& hive) {
  std::string out;
  TextSink sink{out};
  WriteHive(hive, sink);
  return out;
}

bool FitsInHiveFile(const Hive& hive) {
  SizeSink size{kMaxHiveTextSize};
  return WriteHive(hive, size);
}

std::optional<Hive> ReadHiveText(Root root, std::string_view text, std::string& problem) {
  return Parser(root, text).Run(problem);
}

}  // namespace platform::registry

