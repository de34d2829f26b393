#include "cli/RowWriter.h"

#include <cerrno>
#include <unistd.h>

#include "search/engine/matching/ByteFind.h"

namespace cli {
namespace {

constexpr size_t kWriteSize = 256 * 1024;

}  // namespace

void AppendEscapedRow(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  while (!text.empty()) {
    // The run up to the next byte to escape is copied whole.
    const size_t run = search::FindByteBelowOr(text, 0x20, 0x7F, '\\');
    out.append(text.data(), run);
    if (run == text.size()) break;
    const auto byte = static_cast<unsigned char>(text[run]);
    text.remove_prefix(run + 1);
    out += '\\';
    if (byte == '\n') {
      out += 'n';
    } else if (byte == '\t') {
      out += 't';
    } else if (byte == '\\') {
      out += '\\';
    } else {
      out += 'x';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
}

TRowWriter::TRowWriter(int descriptor, bool escape, const search::TDisplayOptions& display)
    : descriptor_(descriptor), escape_(escape), display_(display) {
  out_.reserve(2 * kWriteSize);
}

void TRowWriter::WriteNode(const search::TResultNode& node) {
  if (node.Payload) {
    AppendText(node.Payload->GetDisplayText(display_));
    EndRow();
  }
  for (const search::TTreeViewFileLine& line : node.Lines) WriteLine(line.Matched, line.LineNumber, line.Text);
}

void TRowWriter::WriteFile(const search::TTreeViewFile& file, const search::TFileScanResult& result) {
  AppendText(file.GetDisplayText(display_));
  EndRow();
  for (const search::TScannedLine& line : result.Lines) WriteLine(line.Matched, line.Number, result.TextOf(line));
}

// The prefix never needs escaping; the text may be huge, so it is not copied whole.
void TRowWriter::WriteLine(bool matched, int64_t number, std::string_view text) {
  search::TTreeViewFileLine::AppendDisplayPrefix(out_, matched, number);
  AppendText(text);
  EndRow();
}

// A long text goes out in pieces, so the buffer never holds a copy of it whole.
void TRowWriter::AppendText(std::string_view text) {
  while (!text.empty()) {
    const std::string_view piece = text.substr(0, kWriteSize);
    if (escape_) {
      AppendEscapedRow(out_, piece);
    } else {
      out_.append(piece);
    }
    text.remove_prefix(piece.size());
    if (out_.size() >= kWriteSize) WriteBuffered();
  }
}

void TRowWriter::EndRow() {
  out_ += '\n';
  if (out_.size() >= kWriteSize) WriteBuffered();
}

void TRowWriter::WriteBuffered() {
  const char* data = out_.data();
  size_t left = out_.size();
  while (left > 0 && !failed_) {
    const ssize_t written = write(descriptor_, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      break;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  out_.clear();
}

bool TRowWriter::Flush() {
  WriteBuffered();
  return !failed_;
}

}  // namespace cli
