#include "search/editor/EditControl.h"

#include <Qsci/qsciscintillabase.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "search/editor/text/LineEnds.h"
#include "search/editor/text/TabStops.h"

namespace {

using Sci = QsciScintillaBase;

// Indicators that carry the line attributes; each takes its colour from the range's value.
constexpr int kForeIndicator = 8;
constexpr int kBackIndicator = 9;
constexpr int kBorderIndicator = 10;
constexpr int kStrikeIndicator = 11;
constexpr int kIndicatorFlagValueFore = 1;
// Styles 0 to 7: the font with the bold (1), italic (2) and underline (4) bits.
constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;
constexpr int kStyleUnderline = 4;
constexpr int kMarkerEmpty = 5;  // SC_MARK_EMPTY: a bookmark needs no symbol of its own
// A line whose cells past its end are all given one background shows it across the row.
constexpr int kRowMarker = 20;
constexpr int kMarkerBackground = 22;  // SC_MARK_BACKGROUND
constexpr int kTextMargin = 4;

long Colour(const QColor& colour) {
  return static_cast<long>(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

int StyleOf(const TFontStyles& styles) {
  return (styles.Bold ? kStyleBold : 0) | (styles.Italic ? kStyleItalic : 0) |
         (styles.Underline ? kStyleUnderline : 0);
}

// The tab width a tab-stop text stands for, or 0 when the text is not a tab-stop list.
int TabWidthOf(const std::string& text) {
  const std::optional<std::vector<int32_t>> stops = editor::ParseTabStops(text);
  if (!stops) return 0;
  if (stops->empty()) return 1;  // no stops: a tab is one blank wide
  return std::clamp(stops->front() - 1, 1, TEditControl::kMaxColumn);
}

}  // namespace

// The editing component, told what the control needs and reporting back to it.
class TEditControl::TView final : public QsciScintillaBase {
 public:
  explicit TView(TEditControl& owner) : QsciScintillaBase(&owner), owner_(owner) {}

  long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const {
    return SendScintilla(message, wParam, lParam);
  }
  long SendText(unsigned int message, unsigned long wParam, const char* text) const {
    return SendScintilla(message, wParam, text);
  }
  void SetLeftMargin(int width) { setViewportMargins(width, 0, 0, 0); }
  QRect ViewportRect() const { return viewport()->geometry(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    int key = event->key();
    bool handled = false;
    owner_.KeyPressed(key, event->modifiers(), handled);
    if (handled || key == 0) {
      event->accept();
      return;
    }
    QsciScintillaBase::keyPressEvent(event);
    if (event->key() == Qt::Key_Insert) owner_.StatusChanged();
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    if (owner_.popupMenu_ != nullptr) owner_.popupMenu_->popup(event->globalPos());
    event->accept();
  }

  void resizeEvent(QResizeEvent* event) override {
    QsciScintillaBase::resizeEvent(event);
    owner_.PlaceGutter();
    // Once the window's layout has settled, not at the first of the sizes it passes through.
    if (owner_.whenSized_) {
      QTimer::singleShot(0, &owner_, [owner = &owner_] {
        if (owner->whenSized_ && owner->VisibleRows() > 0) std::exchange(owner->whenSized_, nullptr)();
      });
    }
    owner_.decorationStale_ = true;
    owner_.Decorate();
  }

 private:
  TEditControl& owner_;
};

// The gutter left of the text: painted by the control's gutter callback.
class TEditControl::TGutter final : public QWidget {
 public:
  explicit TGutter(TEditControl& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    // The callback paints in the control's coordinates, those of CellRect.
    painter.translate(-pos());
    if (owner_.OnPaintGutter) {
      owner_.OnPaintGutter(owner_, painter, geometry());
    } else {
      painter.fillRect(geometry(), owner_.gutterColour_);
    }
  }

 private:
  TEditControl& owner_;
};

TEditControl::TEditControl(QWidget* parent) : QWidget(parent) {
  bookmarkHandles_.fill(-1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new TView(*this);
  view_->setObjectName("EditView");
  layout->addWidget(view_);
  setFocusProxy(view_);
  gutter_ = new TGutter(*this, view_);

  view_->Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
  // No lexer: the styles are only those the line attributes set.
  view_->Send(Sci::SCI_SETLEXER, Sci::SCLEX_NULL);
  for (unsigned long margin = 0; margin < 5; ++margin) view_->Send(Sci::SCI_SETMARGINWIDTHN, margin, 0);
  view_->Send(Sci::SCI_SETMARGINLEFT, 0, kTextMargin);
  view_->Send(Sci::SCI_SETSCROLLWIDTH, 1);
  view_->Send(Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
  view_->Send(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
  view_->Send(Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT);
  view_->Send(Sci::SCI_SETYCARETPOLICY, 0, 0);
  view_->Send(Sci::SCI_SETXCARETPOLICY, 0, 0);
  view_->Send(Sci::SCI_SETENDATLASTLINE, 1);
  view_->Send(Sci::SCI_SETTABINDENTS, 0);
  view_->Send(Sci::SCI_SETUSETABS, 1);
  // Redo is not offered.
  view_->Send(Sci::SCI_CLEARCMDKEY, 'Y' + (Sci::SCMOD_CTRL << 16));
  view_->Send(Sci::SCI_CLEARCMDKEY, 'Z' + ((Sci::SCMOD_CTRL | Sci::SCMOD_SHIFT) << 16));
  for (int number = 0; number < kBookmarks; ++number) {
    view_->Send(Sci::SCI_MARKERDEFINE, static_cast<unsigned long>(number), kMarkerEmpty);
  }
  view_->Send(Sci::SCI_MARKERDEFINE, kRowMarker, kMarkerBackground);

  view_->Send(Sci::SCI_INDICSETSTYLE, kForeIndicator, Sci::INDIC_TEXTFORE);
  view_->Send(Sci::SCI_INDICSETSTYLE, kBackIndicator, Sci::INDIC_FULLBOX);
  view_->Send(Sci::SCI_INDICSETALPHA, kBackIndicator, 255);
  view_->Send(Sci::SCI_INDICSETOUTLINEALPHA, kBackIndicator, 255);
  view_->Send(Sci::SCI_INDICSETUNDER, kBackIndicator, 1);
  view_->Send(Sci::SCI_INDICSETSTYLE, kBorderIndicator, Sci::INDIC_BOX);
  view_->Send(Sci::SCI_INDICSETSTYLE, kStrikeIndicator, Sci::INDIC_STRIKE);
  for (int indicator : {kForeIndicator, kBackIndicator, kBorderIndicator, kStrikeIndicator}) {
    view_->Send(Sci::SCI_INDICSETFLAGS, static_cast<unsigned long>(indicator), kIndicatorFlagValueFore);
  }

  connect(view_, &Sci::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int, int linesAdded, int, int, int, int, int) {
            if (type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)) {
              TextModified(position, linesAdded);
            }
          });
  connect(view_, &Sci::SCN_UPDATEUI, this, [this](int flags) { UpdateUi(flags); });
  connect(view_, &Sci::SCN_DOUBLECLICK, this, [this](int, int line, int) { DoubleClicked(line); });
  connect(view_, &Sci::SCN_MACRORECORD, this,
          [this](unsigned int message, unsigned long argument, void* text) { Record(message, argument, text); });
  connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    gutter_->update();
    Decorate();
  });

  font_ = QFont("DejaVu Sans Mono", 10);
  fore_ = palette().color(QPalette::Text);
  back_ = palette().color(QPalette::Base);
  gutterColour_ = palette().color(QPalette::Button);
  ApplyStyles();
  SetGutterWidth(30);
}

TEditControl::~TEditControl() = default;

QWidget* TEditControl::TextWidget() const { return view_; }

void TEditControl::SetFocusToText() { view_->setFocus(); }

// Text.

namespace {

// Whether a line of the text is longer than the limit.
bool HasLongLine(std::string_view text, size_t limit) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop - start > limit) return true;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return false;
}

// The text with every long line broken into pieces at character boundaries.
std::string BreakLongLines(std::string_view text, size_t limit, size_t piece) {
  std::string shown;
  shown.reserve(text.size() + text.size() / piece + 1);
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    size_t at = start;
    if (stop - start > limit) {
      while (stop - at > piece) {
        size_t cut = at + piece;
        while (cut > at + 1 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        shown.append(text.substr(at, cut - at));
        shown.push_back('\n');
        at = cut;
      }
    }
    shown.append(text.substr(at, stop - at));
    if (end == std::string_view::npos) break;
    shown.push_back(text[end]);
    start = end + 1;
  }
  return shown;
}

}  // namespace

void TEditControl::SetBytes(std::string_view bytes) {
  loading_ = true;
  std::string shown;
  unbroken_.clear();
  if (HasLongLine(bytes, kLongLine)) {
    unbroken_.assign(bytes);
    shown = BreakLongLines(bytes, kLongLine, kLongLinePiece);
    bytes = shown;
  }
  for (int number = 0; number < kBookmarks; ++number) SetBookmark(number, TBookmark{});
  const bool wasReadOnly = ReadOnly();
  view_->Send(Sci::SCI_SETREADONLY, 0);
  view_->Send(Sci::SCI_SETUNDOCOLLECTION, 0);
  view_->Send(Sci::SCI_CLEARALL);
  view_->Send(Sci::SCI_SETCODEPAGE, editor::IsValidUtf8(bytes) ? Sci::SC_CP_UTF8 : 0);
  switch (editor::MostCommonLineEnd(bytes)) {
    case editor::TLineEnd::Lf: view_->Send(Sci::SCI_SETEOLMODE, Sci::SC_EOL_LF); break;
    case editor::TLineEnd::CrLf: view_->Send(Sci::SCI_SETEOLMODE, Sci::SC_EOL_CRLF); break;
    case editor::TLineEnd::Cr: view_->Send(Sci::SCI_SETEOLMODE, Sci::SC_EOL_CR); break;
  }
  view_->SendText(Sci::SCI_ADDTEXT, bytes.size(), bytes.data());
  view_->Send(Sci::SCI_SETUNDOCOLLECTION, 1);
  view_->Send(Sci::SCI_EMPTYUNDOBUFFER);
  view_->Send(Sci::SCI_SETREADONLY, wasReadOnly || ShowsLongLinesBroken() ? 1 : 0);
  view_->Send(Sci::SCI_GOTOPOS, 0);
  loading_ = false;
  editedLine_ = -1;
  modified_ = true;
  decorationStale_ = true;
  Decorate();
  gutter_->update();
  if (OnChange) OnChange(*this);
  StatusChanged();
}

std::string TEditControl::Bytes() const { return std::string(BytesView()); }

std::string_view TEditControl::BytesView() const { return ShowsLongLinesBroken() ? std::string_view(unbroken_) : View(); }

std::string_view TEditControl::View() const {
  const auto length = static_cast<size_t>(view_->Send(Sci::SCI_GETLENGTH));
  const auto* text = static_cast<const char*>(view_->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
  return text == nullptr ? std::string_view() : std::string_view(text, length);
}

int TEditControl::LineCount() const { return static_cast<int>(view_->Send(Sci::SCI_GETLINECOUNT)); }

std::string_view TEditControl::LineView(int line) const {
  if (line < 0 || line >= LineCount()) return {};
  const long start = view_->Send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  const long end = view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
  if (end <= start) return {};
  const auto* text = reinterpret_cast<const char*>(
      view_->SendScintilla(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
  return text == nullptr ? std::string_view() : std::string_view(text, static_cast<size_t>(end - start));
}

std::string TEditControl::LineText(int line) const { return std::string(LineView(line)); }

int64_t TEditControl::LineStart(int line) const {
  return view_->Send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(std::max(line, 0)));
}

int TEditControl::LineOfPosition(int64_t position) const {
  return static_cast<int>(view_->Send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(std::max<int64_t>(position, 0))));
}

// Caret and view.

int TEditControl::CaretLine() const {
  return LineOfPosition(view_->Send(Sci::SCI_GETCURRENTPOS));
}

int TEditControl::CaretColumn() const {
  const long position = view_->Send(Sci::SCI_GETCURRENTPOS);
  return static_cast<int>(position - LineStart(LineOfPosition(position)));
}

void TEditControl::SetCaret(int column, int line) {
  line = std::clamp(line, 0, std::max(LineCount() - 1, 0));
  const long start = view_->Send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  const long end = view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
  column = std::clamp(column, 0, kMaxColumn);
  column = static_cast<int>(std::min<long>(column, end - start));
  view_->Send(Sci::SCI_GOTOPOS, static_cast<unsigned long>(start + column));
  StatusChanged();
}

int TEditControl::TopRow() const { return static_cast<int>(view_->Send(Sci::SCI_GETFIRSTVISIBLELINE)); }

void TEditControl::SetTopRow(int row) {
  view_->Send(Sci::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(std::max(row, 0)));
}

int TEditControl::VisibleRows() const { return static_cast<int>(view_->Send(Sci::SCI_LINESONSCREEN)); }

QRect TEditControl::CellRect(int column, int row) const {
  const int height = static_cast<int>(view_->Send(Sci::SCI_TEXTHEIGHT, 0));
  const int width = static_cast<int>(view_->SendText(Sci::SCI_TEXTWIDTH, Sci::STYLE_DEFAULT, "0"));
  const QRect area = view_->ViewportRect();
  const int x = area.left() + kTextMargin + column * width - static_cast<int>(view_->Send(Sci::SCI_GETXOFFSET));
  return QRect(x, area.top() + row * height, width, height);
}

int64_t TEditControl::CaretToOffset(int column, int line) const {
  line = std::clamp(line, 0, std::max(LineCount() - 1, 0));
  int64_t offset = 0;
  for (int before = 0; before < line; ++before) {
    offset += view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(before)) - LineStart(before) + 2;
  }
  return offset + column;
}

void TEditControl::OffsetToCaret(int64_t offset, int& column, int& line) const {
  const int count = LineCount();
  line = 0;
  while (line + 1 < count) {
    const int64_t length = view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line)) - LineStart(line);
    if (offset < length + 2) break;
    offset -= length + 2;
    ++line;
  }
  column = static_cast<int>(std::max<int64_t>(offset, 0));
}

void TEditControl::BeginUpdate() {
  if (updateDepth_++ == 0) {
    view_->viewport()->setUpdatesEnabled(false);
    gutter_->setUpdatesEnabled(false);
  }
}

void TEditControl::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  view_->viewport()->setUpdatesEnabled(true);
  gutter_->setUpdatesEnabled(true);
  decorationStale_ = true;
  Decorate();
  view_->viewport()->update();
  gutter_->update();
}

// Selection.

int64_t TEditControl::SelectionStartPosition() const { return view_->Send(Sci::SCI_GETSELECTIONSTART); }
int64_t TEditControl::SelectionEndPosition() const { return view_->Send(Sci::SCI_GETSELECTIONEND); }

void TEditControl::SelectPositions(int64_t start, int64_t end) {
  view_->Send(Sci::SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
  StatusChanged();
}

bool TEditControl::HasSelection() const { return SelectionEndPosition() > SelectionStartPosition(); }

int64_t TEditControl::SelStart() const {
  const int64_t position = SelectionStartPosition();
  const int line = LineOfPosition(position);
  return CaretToOffset(static_cast<int>(position - LineStart(line)), line);
}

int64_t TEditControl::SelLength() const {
  const int64_t position = SelectionEndPosition();
  const int line = LineOfPosition(position);
  return CaretToOffset(static_cast<int>(position - LineStart(line)), line) - SelStart();
}

void TEditControl::SetSelection(int64_t start, int64_t length) {
  const auto position = [this](int64_t offset) {
    int column = 0;
    int line = 0;
    OffsetToCaret(offset, column, line);
    const int64_t end = view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    return std::min(LineStart(line) + column, end);
  };
  SelectPositions(position(start), position(start + std::max<int64_t>(length, 0)));
}

std::string TEditControl::SelectedText() const {
  const int64_t start = SelectionStartPosition();
  return std::string(View().substr(static_cast<size_t>(start), static_cast<size_t>(SelectionEndPosition() - start)));
}

void TEditControl::SetSelectedText(std::string_view text) {
  view_->Send(Sci::SCI_TARGETFROMSELECTION);
  view_->SendText(Sci::SCI_REPLACETARGET, text.size(), text.data());
}

void TEditControl::ReplaceRanges(const std::vector<std::pair<int64_t, int64_t>>& ranges, std::string_view text) {
  if (ranges.empty()) return;
  const std::string_view shown = View();
  const auto hasLineEnd = [](std::string_view piece) { return piece.find_first_of("\r\n") != std::string_view::npos; };
  bool linesKept = !hasLineEnd(text);
  for (size_t i = 0; linesKept && i < ranges.size(); ++i) {
    linesKept = !hasLineEnd(shown.substr(static_cast<size_t>(ranges[i].first), static_cast<size_t>(ranges[i].second)));
  }
  batch_ = true;
  view_->Send(Sci::SCI_BEGINUNDOACTION);
  if (linesKept) {
    // Every line keeps its number: the stretch from the first place to the last is replaced
    // at once, its other bytes copied as they are, and the bookmarks put back on their lines.
    std::array<TBookmark, kBookmarks> bookmarks;
    for (int number = 0; number < kBookmarks; ++number) bookmarks[static_cast<size_t>(number)] = Bookmark(number);
    const auto first = static_cast<size_t>(ranges.front().first);
    const auto last = static_cast<size_t>(ranges.back().first + ranges.back().second);
    std::string replaced;
    replaced.reserve(last - first + ranges.size() * text.size());
    size_t at = first;
    for (const auto& range : ranges) {
      replaced.append(shown.substr(at, static_cast<size_t>(range.first) - at));
      replaced.append(text);
      at = static_cast<size_t>(range.first + range.second);
    }
    view_->Send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(first), static_cast<long>(last));
    view_->SendText(Sci::SCI_REPLACETARGET, replaced.size(), replaced.data());
    for (int number = 0; number < kBookmarks; ++number) {
      if (bookmarks[static_cast<size_t>(number)].Set) SetBookmark(number, bookmarks[static_cast<size_t>(number)]);
    }
  } else {
    // From the last place to the first, so the places ahead keep their positions.
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
      view_->Send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(range->first),
                  static_cast<long>(range->first + range->second));
      view_->SendText(Sci::SCI_REPLACETARGET, text.size(), text.data());
    }
  }
  view_->Send(Sci::SCI_ENDUNDOACTION);
  batch_ = false;
  decorationStale_ = true;
  Decorate();
  gutter_->update();
  if (OnChange) OnChange(*this);
  StatusChanged();
}

// Clipboard and undo.

bool TEditControl::CanCopy() const { return HasSelection(); }
bool TEditControl::CanCut() const { return HasSelection() && !ReadOnly(); }

bool TEditControl::CanPaste() const {
  const QClipboard* clipboard = QApplication::clipboard();
  return clipboard != nullptr && !clipboard->text().isEmpty();
}

bool TEditControl::CanSelectAll() const {
  return !(SelectionStartPosition() == 0 && SelectionEndPosition() == view_->Send(Sci::SCI_GETLENGTH));
}

void TEditControl::Cut() { view_->Send(Sci::SCI_CUT); }
void TEditControl::Copy() { view_->Send(Sci::SCI_COPY); }
void TEditControl::Paste() { view_->Send(Sci::SCI_PASTE); }
void TEditControl::DeleteSelection() {
  if (HasSelection()) view_->Send(Sci::SCI_CLEAR);
}
void TEditControl::SelectAll() { view_->Send(Sci::SCI_SELECTALL); }
bool TEditControl::CanUndo() const { return view_->Send(Sci::SCI_CANUNDO) != 0; }
void TEditControl::Undo() { view_->Send(Sci::SCI_UNDO); }

// Flags.

void TEditControl::SetModified(bool modified) {
  modified_ = modified;
  if (!modified) view_->Send(Sci::SCI_SETSAVEPOINT);
  StatusChanged();
}

bool TEditControl::ReadOnly() const { return view_->Send(Sci::SCI_GETREADONLY) != 0; }

void TEditControl::SetReadOnly(bool readOnly) {
  view_->Send(Sci::SCI_SETREADONLY, readOnly || ShowsLongLinesBroken() ? 1 : 0);
  StatusChanged();
}

bool TEditControl::InsertMode() const { return view_->Send(Sci::SCI_GETOVERTYPE) == 0; }
bool TEditControl::Recording() const { return recordingOn_; }

// Bookmarks.

TBookmark TEditControl::Bookmark(int number) const {
  if (number < 0 || number >= kBookmarks) return {};
  const int handle = bookmarkHandles_[static_cast<size_t>(number)];
  if (handle < 0) return TBookmark{bookmarkColumns_[static_cast<size_t>(number)], 0, false};
  const long line = view_->Send(Sci::SCI_MARKERLINEFROMHANDLE, static_cast<unsigned long>(handle));
  if (line < 0) return {};
  return TBookmark{bookmarkColumns_[static_cast<size_t>(number)], static_cast<int>(line), true};
}

void TEditControl::SetBookmark(int number, const TBookmark& bookmark) {
  if (number < 0 || number >= kBookmarks) return;
  int& handle = bookmarkHandles_[static_cast<size_t>(number)];
  if (handle >= 0) view_->Send(Sci::SCI_MARKERDELETEHANDLE, static_cast<unsigned long>(handle));
  handle = -1;
  bookmarkColumns_[static_cast<size_t>(number)] = bookmark.Column;
  if (bookmark.Set) {
    const int line = std::clamp(bookmark.Line, 0, std::max(LineCount() - 1, 0));
    handle = static_cast<int>(view_->Send(Sci::SCI_MARKERADD, static_cast<unsigned long>(line), number));
  }
  gutter_->update();
}

// Properties.

void TEditControl::ApplyStyles() {
  const QByteArray family = font_.family().toUtf8();
  const int points = font_.pointSize() > 0 ? font_.pointSize() : 10;
  const auto defineStyle = [&](unsigned long style, bool bold, bool italic, bool underline) {
    view_->SendText(Sci::SCI_STYLESETFONT, style, family.constData());
    view_->Send(Sci::SCI_STYLESETSIZE, style, points);
    view_->Send(Sci::SCI_STYLESETBOLD, style, bold ? 1 : 0);
    view_->Send(Sci::SCI_STYLESETITALIC, style, italic ? 1 : 0);
    view_->Send(Sci::SCI_STYLESETUNDERLINE, style, underline ? 1 : 0);
    view_->Send(Sci::SCI_STYLESETFORE, style, Colour(fore_));
    view_->Send(Sci::SCI_STYLESETBACK, style, Colour(back_));
  };
  defineStyle(Sci::STYLE_DEFAULT, font_.bold(), font_.italic(), font_.underline());
  view_->Send(Sci::SCI_STYLECLEARALL);
  for (int style = 1; style < 8; ++style) {
    defineStyle(static_cast<unsigned long>(style), font_.bold() || (style & kStyleBold), font_.italic() || (style & kStyleItalic),
                font_.underline() || (style & kStyleUnderline));
  }
  view_->Send(Sci::SCI_SETCARETFORE, Colour(fore_));
  view_->Send(Sci::SCI_SETWHITESPACEFORE, 0, 0);
  decorationStale_ = true;
  Decorate();
  gutter_->update();
}

void TEditControl::SetTextFont(const QFont& font) {
  font_ = font;
  ApplyStyles();
}

void TEditControl::SetColours(const QColor& fore, const QColor& back) {
  fore_ = fore;
  back_ = back;
  ApplyStyles();
}

void TEditControl::SetGutterWidth(int width) {
  gutterWidth_ = std::max(width, 0);
  view_->SetLeftMargin(gutterWidth_);
  PlaceGutter();
}

void TEditControl::PlaceGutter() {
  const QRect area = view_->ViewportRect();
  gutter_->setGeometry(area.left() - gutterWidth_, area.top(), gutterWidth_, area.height());
  gutter_->update();
}

void TEditControl::SetGutterColour(const QColor& colour) {
  gutterColour_ = colour;
  gutter_->update();
}

void TEditControl::SetRightMargin(int column, bool visible, const QColor& colour) {
  rightMargin_ = column;
  rightMarginVisible_ = visible;
  rightMarginColour_ = colour;
  view_->Send(Sci::SCI_SETEDGECOLUMN, static_cast<unsigned long>(std::max(column, 0)));
  view_->Send(Sci::SCI_SETEDGECOLOUR, Colour(colour));
  view_->Send(Sci::SCI_SETEDGEMODE, visible ? Sci::EDGE_LINE : Sci::EDGE_NONE);
}

void TEditControl::SetTabStops(const std::string& stops) {
  tabStops_ = stops;
  const int width = TabWidthOf(stops);
  view_->Send(Sci::SCI_SETTABWIDTH, static_cast<unsigned long>(width > 0 ? width : 8));
  view_->Send(Sci::SCI_SETINDENT, 0);
}

int TEditControl::TabWidth() const { return static_cast<int>(view_->Send(Sci::SCI_GETTABWIDTH)); }

void TEditControl::SetBackSpaceUnindents(bool on) { view_->Send(Sci::SCI_SETBACKSPACEUNINDENTS, on ? 1 : 0); }

bool TEditControl::BackSpaceUnindents() const { return view_->Send(Sci::SCI_GETBACKSPACEUNINDENTS) != 0; }

void TEditControl::SetCursorBeyondEOF(bool on) {
  cursorBeyondEof_ = on;
  view_->Send(Sci::SCI_SETENDATLASTLINE, on ? 0 : 1);
}

void TEditControl::SetSelectionColours(const QColor& fore, const QColor& back) {
  selFore_ = fore;
  selBack_ = back;
  view_->Send(Sci::SCI_SETSELFORE, 1, Colour(fore));
  view_->Send(Sci::SCI_SETSELBACK, 1, Colour(back));
}

void TEditControl::SetBracketHighlighting(bool active, const QColor& back, const QColor& fore, const QColor& border) {
  bracketHighlighting_ = active;
  bracketBack_ = back;
  bracketFore_ = fore;
  view_->Send(Sci::SCI_STYLESETBACK, Sci::STYLE_BRACELIGHT, Colour(back));
  view_->Send(Sci::SCI_STYLESETFORE, Sci::STYLE_BRACELIGHT, Colour(fore));
  view_->Send(Sci::SCI_STYLESETBOLD, Sci::STYLE_BRACELIGHT, 1);
  Q_UNUSED(border);  // the highlighted bracket's cell is filled; a border would not show beside it
  if (!active) view_->Send(Sci::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(-1), -1);
  UpdateUi(0);
}

void TEditControl::WhenSized(std::function<void()> action) {
  if (view_->isVisible() && VisibleRows() > 0) {
    action();
  } else {
    whenSized_ = std::move(action);
  }
}

void TEditControl::Invalidate() {
  decorationStale_ = true;
  Decorate();
  view_->viewport()->update();
  gutter_->update();
}

// Notifications.

void TEditControl::TextModified(int position, int linesAdded) {
  if (loading_) return;
  modified_ = true;
  decorationStale_ = true;
  const int line = LineOfPosition(position);
  if (!trimming_ && !batch_) editedLine_ = line;
  if (linesAdded != 0 && OnLinesChanged) OnLinesChanged(*this, line, linesAdded, position == LineStart(line));
  if (batch_) return;
  if (OnChange) OnChange(*this);
  StatusChanged();
}

void TEditControl::UpdateUi(int flags) {
  if (flags & (Sci::SC_UPDATE_SELECTION | Sci::SC_UPDATE_CONTENT)) decorationStale_ = true;
  Decorate();
  if (flags & (Sci::SC_UPDATE_V_SCROLL | Sci::SC_UPDATE_CONTENT)) gutter_->update();
  if (bracketHighlighting_) {
    const long caret = view_->Send(Sci::SCI_GETCURRENTPOS);
    long at = caret;
    long match = view_->Send(Sci::SCI_BRACEMATCH, static_cast<unsigned long>(at));
    if (match < 0 && caret > 0) {
      at = caret - 1;
      match = view_->Send(Sci::SCI_BRACEMATCH, static_cast<unsigned long>(at));
    }
    if (match >= 0) {
      view_->Send(Sci::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(at), match);
    } else {
      view_->Send(Sci::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(-1), -1);
    }
  }
  if (flags & Sci::SC_UPDATE_SELECTION) {
    if (!keepTrailingBlanks_ && editedLine_ >= 0 && editedLine_ != CaretLine()) {
      const int line = editedLine_;
      editedLine_ = -1;
      TrimTrailingBlanks(line);
    }
    StatusChanged();
  }
}

void TEditControl::StatusChanged() {
  if (OnChangeStatus) OnChangeStatus(*this);
}

void TEditControl::TrimTrailingBlanks(int line) {
  if (line < 0 || line >= LineCount() || ReadOnly()) return;
  const std::string_view text = LineView(line);
  size_t keep = text.size();
  while (keep > 0 && (text[keep - 1] == ' ' || text[keep - 1] == '\t')) --keep;
  if (keep == text.size()) return;
  const int64_t start = LineStart(line);
  trimming_ = true;
  view_->Send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start + static_cast<int64_t>(keep)),
              static_cast<long>(start + static_cast<int64_t>(text.size())));
  view_->SendText(Sci::SCI_REPLACETARGET, 0, "");
  trimming_ = false;
}

void TEditControl::DoubleClicked(int line) {
  if (!doubleClickLine_) return;
  SelectPositions(LineStart(line), view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line)));
}

// Decoration: the line-attribute callback's colours and styles for the visible lines.

void TEditControl::Decorate() {
  if (decorating_ || updateDepth_ > 0) return;
  const int count = LineCount();
  const int first = TopRow();
  const int last = std::min(first + VisibleRows(), count - 1);
  if (!decorationStale_ && first == decoratedFirst_ && last == decoratedLast_) return;
  decorating_ = true;
  const auto clear = [this](int from, int to) {
    if (from < 0 || from > to) return;
    const int64_t start = LineStart(from);
    const int64_t end = view_->Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(std::min(to, LineCount() - 1)));
    if (end <= start) return;
    for (int indicator : {kForeIndicator, kBackIndicator, kBorderIndicator, kStrikeIndicator}) {
      view_->Send(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
      view_->Send(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(start), static_cast<long>(end - start));
    }
    view_->Send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0xFF);
    view_->Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(end - start), 0);
  };
  const auto clearRows = [this](int from, int to) {
    for (int line = std::max(from, 0); line <= std::min(to, LineCount() - 1); ++line) {
      view_->Send(Sci::SCI_MARKERDELETE, static_cast<unsigned long>(line), kRowMarker);
    }
  };
  if (decoratedFirst_ >= 0) clearRows(decoratedFirst_, decoratedLast_);
  clearRows(first, last);
  if (decoratedFirst_ >= 0 && decoratedFirst_ < count) clear(decoratedFirst_, std::min(decoratedLast_, count - 1));
  clear(first, last);
  if (OnGetLineAttr) {
    const int64_t selectionStart = SelectionStartPosition();
    const int64_t selectionEnd = SelectionEndPosition();
    for (int line = first; line <= last; ++line) DecorateLine(line, selectionStart, selectionEnd);
  }
  decoratedFirst_ = first;
  decoratedLast_ = last;
  decorationStale_ = false;
  decorating_ = false;
}

void TEditControl::DecorateLine(int line, int64_t selectionStart, int64_t selectionEnd) {
  const std::string_view text = LineView(line);
  const TLineAttr normal{fore_, back_, TFontStyles{}, QColor()};
  TLineAttrs attrs;
  attrs.fill(normal);
  OnGetLineAttr(*this, text, line, attrs);

  const int64_t start = LineStart(line);
  const int columns = static_cast<int>(std::min<size_t>(text.size(), kLineAttrColumns));
  const QColor rowBack = attrs[kLineAttrColumns].Back;
  const bool wholeRow = rowBack != back_ && std::all_of(attrs.begin() + columns + 1, attrs.end(),
                                                         [&rowBack](const TLineAttr& attr) { return attr.Back == rowBack; });
  if (wholeRow) {
    view_->Send(Sci::SCI_MARKERSETBACK, kRowMarker, Colour(rowBack));
    view_->Send(Sci::SCI_MARKERADD, static_cast<unsigned long>(line), kRowMarker);
  }
  // Each property in runs of equal values; selected characters keep the selection's colours.
  const auto fill = [&](int indicator, auto valueOf, auto isNormal) {
    view_->Send(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
    int p = 1;
    while (p <= columns) {
      const int64_t position = start + p - 1;
      const TLineAttr& attr = attrs[static_cast<size_t>(p)];
      if (isNormal(attr) || (position >= selectionStart && position < selectionEnd)) {
        ++p;
        continue;
      }
      const long value = valueOf(attr);
      int q = p + 1;
      while (q <= columns && !isNormal(attrs[static_cast<size_t>(q)]) && valueOf(attrs[static_cast<size_t>(q)]) == value &&
             !(start + q - 1 >= selectionStart && start + q - 1 < selectionEnd)) {
        ++q;
      }
      view_->Send(Sci::SCI_SETINDICATORVALUE, static_cast<unsigned long>(Sci::SC_INDICVALUEBIT | value));
      view_->Send(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(position), q - p);
      p = q;
    }
  };
  fill(kForeIndicator, [](const TLineAttr& a) { return Colour(a.Fore); }, [&](const TLineAttr& a) { return a.Fore == fore_; });
  fill(kBackIndicator, [](const TLineAttr& a) { return Colour(a.Back); }, [&](const TLineAttr& a) { return a.Back == back_; });
  fill(kBorderIndicator, [](const TLineAttr& a) { return Colour(a.Border); },
       [](const TLineAttr& a) { return !a.Border.isValid(); });
  fill(kStrikeIndicator, [](const TLineAttr& a) { return Colour(a.Fore); }, [](const TLineAttr& a) { return !a.Style.StrikeOut; });
  for (int p = 1; p <= columns;) {
    const int style = StyleOf(attrs[static_cast<size_t>(p)].Style);
    int q = p + 1;
    while (q <= columns && StyleOf(attrs[static_cast<size_t>(q)].Style) == style) ++q;
    if (style != 0) {
      view_->Send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start + p - 1), 0xFF);
      view_->Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(q - p), style);
    }
    p = q;
  }
}

// Keys.

void TEditControl::KeyPressed(int& key, Qt::KeyboardModifiers modifiers, bool& handled) {
  if (OnKeyDown) OnKeyDown(*this, key, modifiers);
  if (key == 0) {
    handled = true;
    return;
  }
  const Qt::KeyboardModifiers relevant = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (relevant == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_R) {
    ToggleRecording();
    handled = true;
  } else if (relevant == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_P) {
    PlayRecording();
    handled = true;
  } else if (relevant == Qt::NoModifier && key == Qt::Key_Tab && smartTab_ && !ReadOnly()) {
    handled = SmartTabTo();
  } else if (relevant == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter) && !ReadOnly()) {
    if (!autoIndent_) return;
    // A new line starts with the leading blanks of the line it breaks.
    const std::string_view text = LineView(CaretLine());
    size_t indent = 0;
    while (indent < text.size() && (text[indent] == ' ' || text[indent] == '\t')) ++indent;
    const int column = CaretColumn();
    view_->Send(Sci::SCI_BEGINUNDOACTION);
    view_->Send(Sci::SCI_NEWLINE);
    const std::string blanks(text.substr(0, std::min<size_t>(indent, static_cast<size_t>(column))));
    if (!blanks.empty()) view_->SendText(Sci::SCI_REPLACESEL, 0, blanks.c_str());
    view_->Send(Sci::SCI_ENDUNDOACTION);
    handled = true;
  }
}

bool TEditControl::SmartTabTo() {
  // Tab moves below the start of the next word of the nearest non-blank line above.
  const long caret = view_->Send(Sci::SCI_GETCURRENTPOS);
  const int line = LineOfPosition(caret);
  const long column = view_->Send(Sci::SCI_GETCOLUMN, static_cast<unsigned long>(caret));
  for (int above = line - 1; above >= 0; --above) {
    const std::string_view text = LineView(above);
    if (text.find_first_not_of(" \t") == std::string_view::npos) continue;
    const int64_t start = LineStart(above);
    for (size_t i = 1; i < text.size(); ++i) {
      const bool wordStart = text[i] != ' ' && text[i] != '\t' && (text[i - 1] == ' ' || text[i - 1] == '\t');
      if (!wordStart) continue;
      const long target = view_->Send(Sci::SCI_GETCOLUMN, static_cast<unsigned long>(start + static_cast<int64_t>(i)));
      if (target > column) {
        const std::string blanks(static_cast<size_t>(target - column), ' ');
        view_->SendText(Sci::SCI_REPLACESEL, 0, blanks.c_str());
        return true;
      }
    }
    return false;
  }
  return false;
}

void TEditControl::ToggleRecording() {
  if (recordingOn_) {
    view_->Send(Sci::SCI_STOPRECORD);
    recordingOn_ = false;
  } else {
    recorded_.clear();
    view_->Send(Sci::SCI_STARTRECORD);
    recordingOn_ = true;
  }
  StatusChanged();
}

void TEditControl::Record(unsigned int message, unsigned long argument, const void* text) {
  TRecordedStep step{message, argument, {}, false};
  // The commands that insert text hand it over with the step.
  if (message == Sci::SCI_REPLACESEL && text != nullptr) {
    step.text = static_cast<const char*>(text);
    step.hasText = true;
  }
  recorded_.push_back(std::move(step));
}

void TEditControl::PlayRecording() {
  if (recordingOn_ || recorded_.empty() || ReadOnly()) return;
  view_->Send(Sci::SCI_BEGINUNDOACTION);
  for (const TRecordedStep& step : recorded_) {
    if (step.hasText) {
      view_->SendText(step.message, step.argument, step.text.c_str());
    } else {
      view_->Send(step.message, step.argument, 0);
    }
  }
  view_->Send(Sci::SCI_ENDUNDOACTION);
}
