#pragma once
// Scans one file: reads it in large pieces, skips straight to the lines that can match,
// judges them, and collects the matched lines with their context and the file's counts.
// It touches nothing shared, so files can be scanned on several threads at once.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"
#include "search/engine/matching/LineMatcher.h"
#include "search/engine/walk/FoundFileHints.h"

namespace search {

// The longest line read: far above any real text, so that a file that never ends a line (a
// pseudo file without end) cannot take all memory. 1 GiB, or a quarter of the memory when less.
size_t DefaultMaxLineLength();

struct TScanSettings {
  const TLineMatcher* Matcher = nullptr;
  int Before = 2;
  int After = 2;
  bool IncludeBlankLines = false;
  bool ShowMatches = true;          // as effective
  bool MinimiseWhitespace = true;   // as effective
  bool MatchProximity = false;
  size_t MaxLineLength = DefaultMaxLineLength();
};

// A listed line; its shown text is kept in its result's Texts.
struct TScannedLine {
  size_t TextStart = 0;
  size_t TextLength = 0;
  int64_t Number = 0;
  bool Matched = false;
};

// Everything one file's scan produced, for the search to turn into result nodes.
struct TFileScanResult {
  bool Opened = false;
  bool HasFileNode = false;
  platform::fs::FileFacts Facts;  // as found when the file was opened, for a file with a node
  int64_t Matches = 0;            // matched lines
  bool WholeFileMatch = false;    // matched by the whole-file verdict alone
  std::vector<TScannedLine> Lines;
  // The shown texts of the lines, one after another: the scan makes no string per line, so
  // the strings of the result nodes are made and freed on the same thread.
  std::string Texts;
  int64_t LineCount = 0;
  bool Failed = false;            // opening or reading failed, see the error
  int ErrorCode = 0;              // the system's code, or 0 with ErrorMessage set
  std::string ErrorMessage;
  bool Cancelled = false;
  bool WaitedOnDisk = false;      // the file was not in the page cache: reads wait on the device
  // Lines left without a verdict because their test could not be carried out (an expression
  // too complex for them), in order; the scan went on after each. SkipReason is the first one's.
  std::vector<int64_t> SkippedLines;
  std::string SkipReason;

  void AddLine(std::string_view prepared, bool minimiseWhitespace, int64_t number, bool matched);
  std::string_view TextOf(const TScannedLine& line) const {
    return std::string_view(Texts).substr(line.TextStart, line.TextLength);
  }
  // The line's text as a string of its own; a line that holds all of Texts (a huge line
  // alone) takes it over rather than copying it, leaving the other lines' texts empty.
  std::string TakeText(const TScannedLine& line);
};

// How a scan learns of Cancel and lets the window breathe, also from inside a long match.
class TScanControl {
 public:
  virtual ~TScanControl() = default;
  virtual bool Cancelled() = 0;
  virtual void Yield() {}
};

// A file to scan, with what the walk learnt of it.
struct TFileToScan {
  std::string Path;
  TFoundFileHints Hints;
};

// Buffers one thread reuses from file to file.
struct TScanBuffers {
  std::string Read;
  std::string Scratch;
};

// Scans one file; never throws: a failure (memory running out included) becomes the file's
// error. A file is not opened once Cancel has been given.
TFileScanResult ScanFile(const TFileToScan& file, const TScanSettings& settings, TScanBuffers& buffers,
                         TScanControl& control);

}  // namespace search
