#include "search/engine/scanning/FileScan.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>

#include "platform/system/PhysicalMemory.h"
#include "search/engine/matching/ByteCount.h"
#include "search/engine/scanning/FileReader.h"
#include "search/engine/scanning/LineText.h"

namespace search {
namespace {

constexpr size_t npos = std::string_view::npos;
constexpr const char* kOutOfMemory = "Out of memory";

// The number of lines in a piece of whole lines (the last may lack its LF).
size_t CountLines(std::string_view lines) {
  if (lines.empty()) return 0;
  return CountByte(lines, '\n') + (lines.back() != '\n' ? 1 : 0);
}

// A CR that is not followed by LF is dropped from its line, which can join text that a
// search over the raw bytes would not see; such pieces are read line by line.
bool HasLoneCarriageReturn(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p))))) {
    if (p + 1 == end || p[1] != '\n') return true;
    p += 2;
  }
  return false;
}

// The literals that every line with a true verdict contains; empty when every line must be
// tested (a string without such a literal, or And Not with String 1 empty).
std::vector<const TLiteralSearch*> CandidateLiterals(const TLineMatcher& matcher) {
  const TStringTest* first = matcher.First();
  const TStringTest* second = matcher.Second();
  std::vector<const TLiteralSearch*> literals;
  switch (matcher.MatchType()) {
    case kMatchAnd:
      if (first && first->Candidate()) literals.push_back(first->Candidate());
      else if (second && second->Candidate()) literals.push_back(second->Candidate());
      break;
    case kMatchAndNot:
      if (first && first->Candidate()) literals.push_back(first->Candidate());
      break;
    default:
      for (const TStringTest* test : {first, second}) {
        if (test == nullptr) continue;
        if (test->Candidate() == nullptr) return {};
        literals.push_back(test->Candidate());
      }
      break;
  }
  return literals;
}

// The last Before lines that may be listed ahead of the next matched line. They are kept as
// prepared text in reused slots and turned into shown text only when listed. Slots are made
// as lines come, so a large Before costs no more than the lines the file has.
class TBeforeContext {
 public:
  explicit TBeforeContext(int capacity) : capacity_(static_cast<size_t>(std::max(capacity, 0))) {}

  void Push(std::string_view prepared, int64_t number) {
    if (capacity_ == 0) return;
    TSlot* slot;
    if (count_ == capacity_) {  // full: the oldest gives way
      slot = &slots_[first_];
      first_ = (first_ + 1) % capacity_;
    } else if (first_ + count_ == slots_.size()) {  // slots only ever used from the front
      slot = &slots_.emplace_back();
      ++count_;
    } else {
      slot = &slots_[(first_ + count_) % slots_.size()];
      ++count_;
    }
    slot->prepared.assign(prepared);
    slot->number = number;
  }

  // Lists the kept lines, oldest first, and forgets them.
  void MoveTo(TFileScanResult& result, bool minimiseWhitespace) {
    for (size_t i = 0; i < count_; ++i) {
      const TSlot& slot = slots_[(first_ + i) % slots_.size()];
      result.AddLine(slot.prepared, minimiseWhitespace, slot.number, false);
    }
    count_ = 0;
    first_ = 0;
  }

 private:
  struct TSlot {
    std::string prepared;
    int64_t number = 0;
  };
  size_t capacity_;
  std::vector<TSlot> slots_;
  size_t first_ = 0;
  size_t count_ = 0;
};

// What a long match asks about Cancel: it lets the window breathe first, as a line does.
class TControlProbe final : public TCancelProbe {
 public:
  explicit TControlProbe(TScanControl& control) : control_(control) {}
  bool Cancelled() override {
    control_.Yield();
    return control_.Cancelled();
  }

 private:
  TScanControl& control_;
};

class TFileScan {
 public:
  TFileScan(const TFileToScan& file, const TScanSettings& settings, TScanBuffers& buffers,
            TScanControl& control)
      : path_(file.Path),
        hints_(file.Hints),
        settings_(settings),
        matcher_(*settings.Matcher),
        buffers_(buffers),
        control_(control),
        probe_(control),
        literals_(CandidateLiterals(matcher_)),
        nextHits_(literals_.size()),
        before_(settings.ShowMatches ? settings.Before : 0) {}

  TFileScanResult Run();

 private:
  void ScanPiece(std::string_view piece);
  void ScanPieceForWholeFile(std::string_view piece, bool lastPiece);
  bool AnyLinePasses(const TStringTest& test, std::string_view piece, bool everyLine);
  size_t NextCandidate(std::string_view piece, size_t from);
  void ProcessLine(std::string_view raw);
  // A line whose test cannot be carried out gets no verdict: it is noted, and the scan goes on.
  std::optional<TLineMatcher::TFound> TestLine(std::string_view prepared);
  bool Passes(const TStringTest& test, std::string_view prepared, std::string_view linesBefore);
  void SkipLine(int64_t number, const char* reason);
  void SkipLines(std::string_view lines);
  void CountMatch(bool verdict);
  void AddLine(std::string_view prepared, int64_t number, bool matched);
  // A line that is neither matched nor in an after-context; it may yet be listed before a match.
  void KeepForBefore(std::string_view prepared, int64_t number);
  void FinishFile();
  void Fail(int code, std::string message);

  const std::string& path_;
  const TFoundFileHints& hints_;
  TFileReader* reader_ = nullptr;  // while the file is open
  std::string_view piece_;         // the piece being scanned
  bool lineEndsPiece_ = false;     // the line being processed is the piece's last
  const TScanSettings& settings_;
  const TLineMatcher& matcher_;
  TScanBuffers& buffers_;
  TScanControl& control_;
  TControlProbe probe_;
  std::vector<const TLiteralSearch*> literals_;
  struct TCachedHit {
    size_t position = npos;
    bool known = false;
  };
  std::vector<TCachedHit> nextHits_;  // the next hit of each literal in the current piece
  TFileScanResult result_;
  int64_t lineNumber_ = 0;        // the number of the last line read
  int afterLeft_ = 0;
  TBeforeContext before_;
  bool seen1_ = false;
  bool seen2_ = false;
};

TFileScanResult TFileScan::Run() {
  if (control_.Cancelled()) {
    result_.Cancelled = true;
    return std::move(result_);
  }
  TFileReader reader(buffers_.Read, settings_.MaxLineLength, [this] { return !control_.Cancelled(); });
  reader_ = &reader;
  const int openError = reader.Open(path_, hints_.Folder.get(), hints_.ListedAsRegular);
  if (openError != 0) {
    result_.Failed = true;
    if (openError == TFileReader::kNotRegularFile) {
      result_.ErrorMessage = "Not a regular file";
    } else {
      result_.ErrorCode = openError;
    }
    return std::move(result_);
  }
  result_.Opened = true;
  try {
    std::string_view piece;
    while (!control_.Cancelled() && reader.Next(piece)) {
      if (matcher_.JudgesWholeFile()) {
        ScanPieceForWholeFile(piece, reader.AtEnd());
      } else {
        ScanPiece(piece);
      }
      if (result_.Cancelled) break;
    }
    result_.Cancelled = result_.Cancelled || reader.Stopped() || control_.Cancelled();
    result_.WaitedOnDisk = reader.WaitedOnDisk();
    if (reader.Error() != 0) {
      Fail(reader.Error(), {});
    } else if (reader.LineTooLong()) {
      Fail(0, "line longer than " + std::to_string(settings_.MaxLineLength) + " bytes");
    }
  } catch (const TMatchCancelled&) {
    result_.Cancelled = true;
  } catch (const std::bad_alloc&) {
    Fail(0, kOutOfMemory);
  } catch (const std::exception& failure) {
    Fail(0, failure.what());
  }
  FinishFile();
  return std::move(result_);
}

void TFileScan::Fail(int code, std::string message) {
  result_.Failed = true;
  result_.ErrorCode = code;
  result_.ErrorMessage = std::move(message);
}

void TFileScan::ScanPiece(std::string_view piece) {
  std::fill(nextHits_.begin(), nextHits_.end(), TCachedHit{});
  const bool everyLine = literals_.empty() || HasLoneCarriageReturn(piece);
  size_t pos = 0;
  while (pos < piece.size()) {
    if (control_.Cancelled()) {
      result_.Cancelled = true;
      return;
    }
    if (!everyLine && afterLeft_ == 0) {
      const size_t hit = NextCandidate(piece, pos);
      size_t lineStart = piece.size();
      if (hit != npos) {
        const void* feed = memrchr(piece.data() + pos, '\n', hit - pos);
        lineStart = feed ? static_cast<size_t>(static_cast<const char*>(feed) - piece.data()) + 1 : pos;
      }
      if (lineStart > pos) {
        SkipLines(piece.substr(pos, lineStart - pos));
        pos = lineStart;
      }
      if (hit == npos) return;
    }
    const void* feed = std::memchr(piece.data() + pos, '\n', piece.size() - pos);
    const size_t lineEnd = feed ? static_cast<size_t>(static_cast<const char*>(feed) - piece.data()) : piece.size();
    const size_t next = feed ? lineEnd + 1 : piece.size();
    piece_ = piece;
    lineEndsPiece_ = next == piece.size();
    ProcessLine(piece.substr(pos, lineEnd - pos));
    pos = next;
  }
}

// The earliest hit of any candidate literal at or after `from`. Each literal's next hit is
// kept, so with two literals neither is searched again before the scan has passed its hit.
size_t TFileScan::NextCandidate(std::string_view piece, size_t from) {
  size_t best = npos;
  for (size_t i = 0; i < literals_.size(); ++i) {
    TCachedHit& next = nextHits_[i];
    if (!next.known || (next.position != npos && next.position < from)) {
      next.position = literals_[i]->Find(piece, from);
      next.known = true;
    }
    best = std::min(best, next.position);
  }
  return best;
}

// Lines without any candidate literal: their verdict is false and no after-context is open,
// so all they can do is feed the before-context, of which only the last Before lines matter.
void TFileScan::SkipLines(std::string_view lines) {
  const auto count = static_cast<int64_t>(CountLines(lines));
  const int64_t first = lineNumber_ + 1;
  lineNumber_ += count;
  if (!settings_.ShowMatches || settings_.Before <= 0 || count == 0) return;
  struct TKept {
    size_t start, end;
    int64_t number;
  };
  std::vector<TKept> newest;  // newest first
  size_t end = lines.size();
  int64_t number = first + count - 1;
  while (end > 0 && newest.size() < static_cast<size_t>(settings_.Before)) {
    size_t contentEnd = end;
    if (lines[contentEnd - 1] == '\n') --contentEnd;
    const void* feed = contentEnd > 0 ? memrchr(lines.data(), '\n', contentEnd) : nullptr;
    const size_t start = feed ? static_cast<size_t>(static_cast<const char*>(feed) - lines.data()) + 1 : 0;
    const std::string_view prepared = PrepareLine(lines.substr(start, contentEnd - start), buffers_.Scratch);
    if (settings_.IncludeBlankLines || !ShowsAsEmpty(prepared, settings_.MinimiseWhitespace)) {
      newest.push_back({start, contentEnd, number});
    }
    end = start;
    --number;
  }
  for (auto it = newest.rbegin(); it != newest.rend(); ++it) {
    before_.Push(PrepareLine(lines.substr(it->start, it->end - it->start), buffers_.Scratch), it->number);
  }
}

void TFileScan::ProcessLine(std::string_view raw) {
  ++lineNumber_;
  const std::string_view prepared = PrepareLine(raw, buffers_.Scratch);
  if (prepared.empty()) {
    if (!settings_.IncludeBlankLines) return;
    if (afterLeft_ > 0) {
      --afterLeft_;
      AddLine({}, lineNumber_, false);
    } else {
      KeepForBefore(prepared, lineNumber_);
    }
    return;
  }
  const std::optional<TLineMatcher::TFound> found = TestLine(prepared);
  seen1_ = seen1_ || (found && found->first);
  seen2_ = seen2_ || (found && found->second);
  const bool verdict = found && matcher_.Verdict(*found);
  CountMatch(verdict);
  if (settings_.ShowMatches) {
    if (verdict || afterLeft_ > 0) {
      if (verdict) {
        before_.MoveTo(result_, settings_.MinimiseWhitespace);
        afterLeft_ = settings_.After;
      } else {
        --afterLeft_;
      }
      AddLine(prepared, lineNumber_, verdict);
    } else if (settings_.IncludeBlankLines || !ShowsAsEmpty(prepared, settings_.MinimiseWhitespace)) {
      KeepForBefore(prepared, lineNumber_);
    }
  }
  control_.Yield();
}

// Whole-file mode with And or And Not: lines get no verdict, so all that matters is whether
// each string occurs on some line; once it has, it need not be looked for again.
void TFileScan::ScanPieceForWholeFile(std::string_view piece, bool lastPiece) {
  const bool loneCr = HasLoneCarriageReturn(piece);
  if (!seen1_ && matcher_.First()) seen1_ = AnyLinePasses(*matcher_.First(), piece, loneCr);
  // And and And Not need String 1 once it is set: at the end of a file without it, String 2
  // can no longer change the verdict.
  const bool secondMatters = !(lastPiece && matcher_.First() && !seen1_);
  if (!seen2_ && matcher_.Second() && secondMatters) seen2_ = AnyLinePasses(*matcher_.Second(), piece, loneCr);
  lineNumber_ += static_cast<int64_t>(CountLines(piece));
  control_.Yield();
}

bool TFileScan::AnyLinePasses(const TStringTest& test, std::string_view piece, bool everyLine) {
  const TLiteralSearch* literal = everyLine ? nullptr : test.Candidate();
  size_t pos = 0;
  while (pos < piece.size()) {
    if (control_.Cancelled()) {
      result_.Cancelled = true;
      return false;
    }
    if (literal != nullptr) {
      const size_t hit = literal->Find(piece, pos);
      if (hit == npos) return false;
      const void* feed = memrchr(piece.data() + pos, '\n', hit - pos);
      pos = feed ? static_cast<size_t>(static_cast<const char*>(feed) - piece.data()) + 1 : pos;
    }
    const void* feed = std::memchr(piece.data() + pos, '\n', piece.size() - pos);
    const size_t lineEnd = feed ? static_cast<size_t>(static_cast<const char*>(feed) - piece.data()) : piece.size();
    const std::string_view prepared = PrepareLine(piece.substr(pos, lineEnd - pos), buffers_.Scratch);
    if (!prepared.empty() && Passes(test, prepared, piece.substr(0, pos))) return true;
    pos = lineEnd + 1;
  }
  return false;
}

std::optional<TLineMatcher::TFound> TFileScan::TestLine(std::string_view prepared) {
  try {
    return matcher_.TestLine(prepared, probe_);
  } catch (const std::runtime_error& failure) {
    SkipLine(lineNumber_, failure.what());
    return std::nullopt;
  }
}

bool TFileScan::Passes(const TStringTest& test, std::string_view prepared, std::string_view linesBefore) {
  try {
    return test.Test(prepared, probe_);
  } catch (const std::runtime_error& failure) {
    SkipLine(lineNumber_ + 1 + static_cast<int64_t>(CountByte(linesBefore, '\n')), failure.what());
    return false;
  }
}

void TFileScan::SkipLine(int64_t number, const char* reason) {
  if (result_.SkippedLines.empty()) result_.SkipReason = reason;
  result_.SkippedLines.push_back(number);
}

void TFileScan::CountMatch(bool verdict) {
  if (!verdict) return;
  if (!result_.HasFileNode) {
    result_.HasFileNode = true;
    result_.Facts = reader_->Facts(platform::fs::FileNamePart(path_));
  }
  ++result_.Matches;
}

// A huge line that ends its piece, the first listed of its file, becomes its shown text where it
// was read: the read buffer is handed over to the result rather than copied.
void TFileScan::AddLine(std::string_view prepared, int64_t number, bool matched) {
  constexpr size_t kHugeLine = 8 * 1024 * 1024;
  const std::less<const char*> before;
  const bool readHere = !before(prepared.data(), piece_.data()) && before(prepared.data(), piece_.data() + piece_.size());
  if (prepared.size() >= kHugeLine && lineEndsPiece_ && readHere && result_.Texts.empty() &&
      reader_->GiveAwayBuffer(piece_, result_.Texts)) {
    MakeShownTextInPlace(result_.Texts, prepared, settings_.MinimiseWhitespace);
    result_.Lines.push_back({0, result_.Texts.size(), number, matched});
    return;
  }
  result_.AddLine(prepared, settings_.MinimiseWhitespace, number, matched);
}

void TFileScan::KeepForBefore(std::string_view prepared, int64_t number) { before_.Push(prepared, number); }

void TFileScan::FinishFile() {
  result_.LineCount = lineNumber_;
  // Whole-file mode tests a piece once per string: its numbers come once per string, so a
  // line skipped by both is named once.
  std::vector<int64_t>& skipped = result_.SkippedLines;
  std::sort(skipped.begin(), skipped.end());
  skipped.erase(std::unique(skipped.begin(), skipped.end()), skipped.end());
  if (settings_.MatchProximity) {
    const bool verdict = CombineVerdict(seen1_, seen2_, matcher_.First() == nullptr, matcher_.MatchType());
    if (verdict && !result_.HasFileNode) {
      result_.HasFileNode = true;
      result_.WholeFileMatch = true;
      result_.Facts = reader_->Facts(platform::fs::FileNamePart(path_));
    }
  }
}

}  // namespace

void TFileScanResult::AddLine(std::string_view prepared, bool minimiseWhitespace, int64_t number, bool matched) {
  const size_t start = Texts.size();
  AppendShownText(Texts, prepared, minimiseWhitespace);
  Lines.push_back({start, Texts.size() - start, number, matched});
}

std::string TFileScanResult::TakeText(const TScannedLine& line) {
  if (line.TextLength == 0) return {};
  if (line.TextLength == Texts.size()) return std::move(Texts);
  return std::string(TextOf(line));
}

size_t DefaultMaxLineLength() {
  constexpr int64_t kLimit = int64_t{1} << 30;
  const int64_t quarter = platform::system::PhysicalMemoryBytes() / 4;
  return static_cast<size_t>(quarter > 0 ? std::min(kLimit, quarter) : kLimit);
}

TFileScanResult ScanFile(const TFileToScan& file, const TScanSettings& settings, TScanBuffers& buffers,
                         TScanControl& control) {
  try {
    return TFileScan(file, settings, buffers, control).Run();
  } catch (...) {  // even the notice of a failure could not be made inside the scan
    TFileScanResult result;
    result.Opened = true;
    result.Failed = true;
    result.ErrorMessage = kOutOfMemory;
    return result;
  }
}

}  // namespace search
