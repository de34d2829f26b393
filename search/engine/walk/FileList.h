#pragma once
// The found-file and matched-file lists: one text entry per file with its path, size, three
// times and attributes, in the form "path|size|created|modified|accessed|attributes".

#include <cstdint>
#include <memory>
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

// Entries are kept as values and written in the text form on request. Copies share their
// entries until one of them changes, so the history and the working lists cost little.
class TFileList {
 public:
  // Reads the file's size, times and attributes and appends its entry, whatever could be read.
  void AddFile(const std::string& path);
  void AddEntry(TFileListEntry entry) { Mutable().push_back(std::move(entry)); }
  const TFileListEntry& GetEntry(size_t index) const { return Entries().at(index); }

  // Reads the facts of every entry that has none (a find that skipped them, a file that could
  // not be read before).
  void ReadMissingFacts();

  void AddText(const std::string& text) { AddEntry(TFileListEntry::Decode(text)); }
  std::string Text(size_t index) const { return GetEntry(index).Encode(); }
  std::vector<std::string> Texts() const;

  size_t Count() const { return entries_ ? entries_->size() : 0; }
  bool Empty() const { return Count() == 0; }
  void Clear() { entries_.reset(); }

  bool operator==(const TFileList& other) const { return Entries() == other.Entries(); }

 private:
  const std::vector<TFileListEntry>& Entries() const;
  std::vector<TFileListEntry>& Mutable();

  std::shared_ptr<std::vector<TFileListEntry>> entries_;
};

}  // namespace search
