#pragma once
// Writes rows of the results tree to a file descriptor, one a line, in large writes. Rows for a
// pipe or a file are escaped so that one row is always one line whatever the names and lines
// hold: a line feed as \n, a tab as \t, the backslash as \\, every other control byte as \xHH
// (two lower-case hex digits).

#include <cstdint>
#include <string>
#include <string_view>

#include "search/engine/results/ResultTree.h"
#include "search/engine/scanning/FileScan.h"

namespace cli {

class TRowWriter {
 public:
  TRowWriter(int descriptor, bool escape, const search::TDisplayOptions& display);

  // The node's row, then a row for each of its lines.
  void WriteNode(const search::TResultNode& node);
  // A matched file's row, then a row for each line its scan listed.
  void WriteFile(const search::TTreeViewFile& file, const search::TFileScanResult& result);
  // Writes what is buffered; false once any write failed (errno tells why).
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  void AppendText(std::string_view text);
  void WriteLine(bool matched, int64_t number, std::string_view text);
  void EndRow();
  void WriteBuffered();

  int descriptor_;
  bool escape_;
  search::TDisplayOptions display_;
  std::string out_;
  bool failed_ = false;
};

// The text as a row for a pipe or a file, escaped as above, appended to `out`.
void AppendEscapedRow(std::string& out, std::string_view text);

}  // namespace cli
