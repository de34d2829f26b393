#pragma once
// TEditControl: the editing control of the editor's pages and of its preferences' preview. It
// offers the operations and callbacks the editor relies on and keeps the editing component
// behind them, so that no other file sees the component. The text is the file's bytes as they
// are: columns and offsets count bytes, line ends stay as they stand, tabs stay tabs.

#include <QFont>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <array>

#include "search/editor/LineAttributes.h"

class QMenu;
class QPainter;

struct TBookmark {
  int Column = 0;
  int Line = 0;
  bool Set = false;
};

class TEditControl final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxColumn = 1024;
  static constexpr int kBookmarks = 10;

  explicit TEditControl(QWidget* parent = nullptr);
  ~TEditControl() override;

  // The whole text. Setting it counts as a change (modified, OnChange) and clears the undo
  // history. A new line typed later takes the text's most common line end.
  // Laying out one very long line takes the editing component minutes: a text with a line
  // longer than kLongLine bytes is shown with such lines broken into pieces of kLongLinePiece
  // bytes, read-only, and Bytes() and View() still give the text as it was set.
  void SetBytes(std::string_view bytes);
  static constexpr size_t kLongLine = 16384;
  static constexpr size_t kLongLinePiece = 2048;
  bool ShowsLongLinesBroken() const { return !unbroken_.empty(); }
  std::string Bytes() const;
  // The same without a copy; valid until the next change.
  std::string_view BytesView() const;
  // The text as shown, in which byte positions count; valid until the next change.
  std::string_view View() const;
  int LineCount() const;
  // A line without its line end.
  std::string LineText(int line) const;
  std::string_view LineView(int line) const;
  // Byte position of the start of a line, and the line holding a byte position.
  int64_t LineStart(int line) const;
  int LineOfPosition(int64_t position) const;

  // The caret, 0-based.
  int CaretColumn() const;
  int CaretLine() const;
  // Moves the caret and scrolls just enough to show it. The column is clamped to 0..1024 and
  // to the line's length, the line to the text (0..last line).
  void SetCaret(int column, int line);

  // The first visible line and the number of rows that fit.
  int TopRow() const;
  void SetTopRow(int row);
  int VisibleRows() const;
  // One character cell of the visible area (visible column and row), in this widget's
  // coordinates (those the gutter callback paints in); columns are cells of the width of "0".
  QRect CellRect(int column, int row) const;

  // Character offsets in which every line counts its length plus 2 for its line break.
  int64_t CaretToOffset(int column, int line) const;
  void OffsetToCaret(int64_t offset, int& column, int& line) const;

  // Screen updates, nested: while suspended caret moves still scroll, nothing is painted;
  // the outermost resume repaints.
  void BeginUpdate();
  void EndUpdate();

  // The selection in character offsets (see above).
  int64_t SelStart() const;
  int64_t SelLength() const;
  void SetSelection(int64_t start, int64_t length);
  bool HasSelection() const;
  std::string SelectedText() const;
  void SetSelectedText(std::string_view text);
  // The selection as byte positions.
  int64_t SelectionStartPosition() const;
  int64_t SelectionEndPosition() const;
  void SelectPositions(int64_t start, int64_t end);

  // Replaces the byte ranges [start, start + length) (ascending, not overlapping) by the text,
  // as one undo step; every other byte stays. Counts as one change.
  void ReplaceRanges(const std::vector<std::pair<int64_t, int64_t>>& ranges, std::string_view text);

  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste() const;
  bool CanSelectAll() const;
  void Cut();
  void Copy();
  void Paste();
  void DeleteSelection();
  void SelectAll();
  bool CanUndo() const;
  void Undo();

  bool Modified() const { return modified_; }
  void SetModified(bool modified);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  bool InsertMode() const;
  // Ctrl+Shift+R starts and stops recording keystrokes, Ctrl+Shift+P plays them back.
  bool Recording() const;

  // Bookmarks 0 to 9; a set bookmark's line follows the edits above it.
  TBookmark Bookmark(int number) const;
  void SetBookmark(int number, const TBookmark& bookmark);

  // Properties.
  void SetTextFont(const QFont& font);
  QFont TextFont() const { return font_; }
  void SetColours(const QColor& fore, const QColor& back);
  QColor ForeColour() const { return fore_; }
  QColor BackColour() const { return back_; }
  void SetGutterWidth(int width);
  int GutterWidth() const { return gutterWidth_; }
  void SetGutterColour(const QColor& colour);
  QColor GutterColour() const { return gutterColour_; }
  void SetRightMargin(int column, bool visible, const QColor& colour);
  int RightMargin() const { return rightMargin_; }
  bool RightMarginVisible() const { return rightMarginVisible_; }
  QColor RightMarginColour() const { return rightMarginColour_; }
  // Tab stops: 1-based columns separated by blanks ("3 5 7"); the distance from the first
  // column to the first stop is the tab width; a text that is not such a list leaves 8.
  void SetTabStops(const std::string& stops);
  const std::string& TabStops() const { return tabStops_; }
  int TabWidth() const;
  void SetSmartTab(bool on) { smartTab_ = on; }
  bool SmartTab() const { return smartTab_; }
  void SetAutoIndent(bool on) { autoIndent_ = on; }
  bool AutoIndent() const { return autoIndent_; }
  void SetBackSpaceUnindents(bool on);
  bool BackSpaceUnindents() const;
  void SetKeepTrailingBlanks(bool on) { keepTrailingBlanks_ = on; }
  bool KeepTrailingBlanks() const { return keepTrailingBlanks_; }
  void SetCursorBeyondEOF(bool on);
  bool CursorBeyondEOF() const { return cursorBeyondEof_; }
  void SetDoubleClickLine(bool on) { doubleClickLine_ = on; }
  bool DoubleClickLine() const { return doubleClickLine_; }
  void SetSelectionColours(const QColor& fore, const QColor& back);
  QColor SelForeColour() const { return selFore_; }
  QColor SelBackColour() const { return selBack_; }
  void SetBracketHighlighting(bool active, const QColor& back, const QColor& fore, const QColor& border);
  bool BracketHighlighting() const { return bracketHighlighting_; }
  QColor BracketBackColour() const { return bracketBack_; }
  QColor BracketForeColour() const { return bracketFore_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  QMenu* PopupMenu() const { return popupMenu_; }

  // Runs the action once the control knows how many rows it shows (at once when it does).
  void WhenSized(std::function<void()> action);

  // Paints again, asking the line-attribute callback afresh for the visible lines.
  void Invalidate();
  void SetFocusToText();
  // The widget that takes the keyboard focus.
  QWidget* TextWidget() const;

  // Callbacks.
  std::function<void(TEditControl&, std::string_view line, int lineIndex, TLineAttrs& attrs)> OnGetLineAttr;
  std::function<void(TEditControl&, QPainter& painter, const QRect& gutter)> OnPaintGutter;
  std::function<void(TEditControl&)> OnChangeStatus;
  std::function<void(TEditControl&)> OnChange;
  // Before the control acts on a key; setting the key to 0 consumes it.
  std::function<void(TEditControl&, int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
  // Line breaks were inserted (positive count) or removed (negative) by a change starting in
  // the line, at its start when `fromLineStart`; for data kept by line number.
  std::function<void(TEditControl&, int line, int linesAdded, bool fromLineStart)> OnLinesChanged;

 private:
  class TView;
  class TGutter;
  friend class TView;
  friend class TGutter;

  void TextModified(int position, int linesAdded);
  void UpdateUi(int flags);
  void Decorate();
  void DecorateLine(int line, int64_t selectionStart, int64_t selectionEnd);
  void ApplyStyles();
  void KeyPressed(int& key, Qt::KeyboardModifiers modifiers, bool& handled);
  void ToggleRecording();
  void Record(unsigned int message, unsigned long argument, const void* text);
  void PlayRecording();
  void TrimTrailingBlanks(int line);
  bool SmartTabTo();
  void DoubleClicked(int line);
  void StatusChanged();
  void PlaceGutter();

  TView* view_ = nullptr;
  TGutter* gutter_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QFont font_;
  QColor fore_;
  QColor back_;
  QColor gutterColour_;
  int gutterWidth_ = 0;
  int rightMargin_ = 80;
  bool rightMarginVisible_ = false;
  QColor rightMarginColour_;
  std::string tabStops_;
  QColor selFore_;
  QColor selBack_;
  QColor bracketBack_;
  QColor bracketFore_;
  bool smartTab_ = false;
  bool autoIndent_ = true;
  bool keepTrailingBlanks_ = true;
  bool cursorBeyondEof_ = false;
  bool doubleClickLine_ = false;
  bool bracketHighlighting_ = false;
  bool modified_ = false;
  bool loading_ = false;
  int updateDepth_ = 0;
  // Decoration of the visible lines: the range last decorated and whether it is stale.
  int decoratedFirst_ = -1;
  int decoratedLast_ = -1;
  bool decorationStale_ = true;
  bool decorating_ = false;
  int editedLine_ = -1;  // the line last changed by typing, for trailing blanks
  std::array<int, kBookmarks> bookmarkHandles_{};
  std::array<int, kBookmarks> bookmarkColumns_{};
  // A recorded keystroke: the component's command, its argument and the text it inserted.
  struct TRecordedStep {
    unsigned int message = 0;
    unsigned long argument = 0;
    std::string text;
    bool hasText = false;
  };
  std::vector<TRecordedStep> recorded_;
  bool recordingOn_ = false;
  bool batch_ = false;  // a change of many places, reported once at its end
  bool trimming_ = false;
  std::function<void()> whenSized_;
  std::string unbroken_;  // the text as set, while its long lines are shown broken
};
