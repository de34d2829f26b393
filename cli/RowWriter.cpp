#include "cli/RowWriter.h"

#include <cerrno>
#include <unistd.h>

namespace cli {
namespace {

constexpr size_t kWriteSize = 256 * 1024;

bool NeedsEscape(unsigned char byte) { return byte < 0x20 || byte == 0x7F || byte == '\\'; }

}  // namespace

void AppendEscapedRow(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  size_t plainFrom = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!NeedsEscape(byte)) continue;
    out.append(text.data() + plainFrom, i - plainFrom);
    plainFrom = i + 1;
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
  out.append(text.data() + plainFrom, text.size() - plainFrom);
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
  for (const search::TTreeViewFileLine& line : node.Lines) {
    // The prefix never needs escaping; the text may be huge, so it is not copied whole.
    line.AppendDisplayPrefix(out_);
    AppendText(line.Text);
    EndRow();
  }
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
