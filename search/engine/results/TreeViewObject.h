#pragma once
// The payloads of the results tree: a file, a line of a file, and a notice. Each knows the
// text the results view shows and its one-line save text.

#include <cstdint>
#include <memory>
#include <string>

#include "search/engine/walk/FileList.h"

namespace search {

// Which file facts the display text of a file node shows.
struct TDisplayOptions {
  bool ShowFileSize = false;
  bool ShowFileCreationDate = false;
  bool ShowFileModifiedDate = false;
  bool ShowFileAccessedDate = false;
};

enum class TNodeKind { File, FileLine, Error };

class TTreeViewObject {
 public:
  virtual ~TTreeViewObject() = default;
  virtual TNodeKind Kind() const = 0;
  virtual std::string GetDisplayText(const TDisplayOptions& options) const = 0;
  virtual std::string GetSaveText() const = 0;
};

class TTreeViewFile final : public TTreeViewObject {
 public:
  // Reads size and times from disk; when the size cannot be read, nothing else is read.
  explicit TTreeViewFile(std::string fileName, int32_t matches = 0);
  // Takes the values of a found-file entry; reads nothing.
  explicit TTreeViewFile(const TFileListEntry& entry);
  // Takes every value as given.
  TTreeViewFile(std::string fileName, int64_t size, double created, double modified,
                double accessed, int32_t matches);

  TNodeKind Kind() const override { return TNodeKind::File; }
  std::string GetDisplayText(const TDisplayOptions& options) const override;
  std::string GetSaveText() const override;

  std::string FileName;
  double Created = 0;
  double Modified = 0;
  double Accessed = 0;
  int64_t Size = -1;
  int32_t Matches = 0;
};

class TTreeViewFileLine final : public TTreeViewObject {
 public:
  TTreeViewFileLine(std::string text, bool matched, int64_t lineNumber)
      : Text(std::move(text)), LineNumber(lineNumber), Matched(matched) {}

  TNodeKind Kind() const override { return TNodeKind::FileLine; }
  std::string GetDisplayText(const TDisplayOptions& options) const override;
  std::string GetSaveText() const override;
  // The display text appended to `out` without a temporary (a row is made for every listed
  // line): the prefix (a mark, the number and a blank), then the text.
  void AppendDisplayText(std::string& out) const;
  static void AppendDisplayPrefix(std::string& out, bool matched, int64_t lineNumber);

  std::string Text;
  int64_t LineNumber = 0;  // 64 bits: a log may hold more than 2^31 lines
  bool Matched = false;
};

class TTreeViewError final : public TTreeViewObject {
 public:
  explicit TTreeViewError(std::string text) : Text(std::move(text)) {}

  TNodeKind Kind() const override { return TNodeKind::Error; }
  std::string GetDisplayText(const TDisplayOptions&) const override { return Text; }
  std::string GetSaveText() const override;

  std::string Text;
};

// The first of the 33 save-text separators that does not occur in the text.
char ChooseSaveSeparator(const std::string& text);

}  // namespace search
