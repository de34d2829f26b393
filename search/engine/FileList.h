#pragma once
// The found-file and matched-file lists: one text entry per file with its path, size, three
// times and attributes, in the form "path|size|created|modified|accessed|attributes".

#include <cstdint>
#include <string>
#include <vector>

namespace search {

struct TFileListEntry {
  std::string FileName;
  int64_t Size = -1;
  double Created = 0;   // local day numbers; 0 when unavailable
  double Modified = 0;
  double Accessed = 0;
  int32_t Attributes = -1;

  // The text form. Times are written with the shortest fixed-point digits that read back to
  // the same value, always with "." as the decimal point.
  std::string Encode() const;
  // Reads the text form. The five numbers are taken from the end, so a path holding "|"
  // still reads back whole. Missing or malformed numbers stay unavailable.
  static TFileListEntry Decode(const std::string& text);

  bool operator==(const TFileListEntry&) const = default;
};

class TFileList {
 public:
  // Reads the file's size, times and attributes and appends its entry, whatever could be read.
  void AddFile(const std::string& path);
  void AddEntry(const TFileListEntry& entry) { items_.push_back(entry.Encode()); }
  TFileListEntry GetEntry(size_t index) const { return TFileListEntry::Decode(items_.at(index)); }

  void AddText(std::string text) { items_.push_back(std::move(text)); }
  const std::string& Text(size_t index) const { return items_.at(index); }
  const std::vector<std::string>& Texts() const { return items_; }

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  void Clear() { items_.clear(); }
  void Reserve(size_t count) { items_.reserve(count); }

  bool operator==(const TFileList&) const = default;

 private:
  std::vector<std::string> items_;
};

}  // namespace search
