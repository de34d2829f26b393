#include "search/editor/EditorForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fs/FileSystem.h"
#include "search/editor/ConfigurationEditorForm.h"
#include "search/editor/EditControl.h"
#include "search/editor/EditorImages.h"
#include "search/editor/EditorStatusBar.h"
#include "search/editor/EditorTexts.h"
#include "search/editor/GoToLineForm.h"
#include "search/editor/LockKeys.h"
#include "search/editor/text/MatchedLines.h"
#include "search/settings/DataModule.h"
#include "search/settings/forms/PreferencesFont.h"
#include "search/ui/ByteText.h"
#include "search/ui/ColourValues.h"

namespace texts = editor_texts;

namespace {

constexpr int kGlyphWidth = 16;
constexpr int kIdlePollMilliseconds = 500;

QFont EditorFont(const TDataMod& settings) {
  return StoredFont(settings.EditorFontName.Value(), settings.EditorFontSize.Value(), settings.EditorFontStyle.Value());
}

}  // namespace

TEditorForm::TEditorForm(TDataMod& dataMod, QWidget* parent) : QDialog(parent), dataMod_(dataMod) {
  setObjectName("EditForm");
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(false);
  setModal(true);
  resize(696, 480);
  setAcceptDrops(true);

  AskUser = [this](const QString& text, TMessageKind kind, const TMessageButtons& buttons) {
    return ShowMessageDialog(text, kind, buttons, 0, this);
  };
  ChooseSaveName = [this](const QString& initialName) {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(texts::kFileFilter);
    dialog.selectFile(initialName);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                     : QString();
  };
  ChooseOpenName = [this](const QString& folder) {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(texts::kFileFilter);
    dialog.setDirectory(folder);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                     : QString();
  };
  Inform = [this](const QString& text, const QString& title) {
    TMessageForm box(text, TMessageKind::Information, {TMessageButton::OK}, 0, this);
    box.setWindowTitle(title);
    box.exec();
  };
  RunGoToLine = [](TGoToLineForm& dialog) { return dialog.exec(); };
  RunPreferences = [](TConfigurationEditorForm& dialog) { return dialog.exec(); };
  ShowError = [this](const QString& message) {
    ShowMessageDialog(message, TMessageKind::Error, {TMessageButton::OK}, 0, this);
  };

  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateMenus();
  layout->addWidget(CreateToolBar());
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl");
  pageControl_->setTabPosition(QTabWidget::South);
  pageControl_->setDocumentMode(true);
  pageControl_->tabBar()->setExpanding(false);
  pageControl_->tabBar()->setUsesScrollButtons(true);
  layout->addWidget(pageControl_, 1);
  statusBar_ = new TEditorStatusBar(this);
  layout->addWidget(statusBar_);
  ConnectActions();

  watcher_ = new QFileSystemWatcher(this);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &TEditorForm::ScheduleIdleUpdate);
  idleTimer_ = new QTimer(this);
  idleTimer_->setSingleShot(true);
  idleTimer_->setInterval(0);
  connect(idleTimer_, &QTimer::timeout, this, &TEditorForm::IdleUpdate);
  pollTimer_ = new QTimer(this);
  pollTimer_->setInterval(kIdlePollMilliseconds);
  connect(pollTimer_, &QTimer::timeout, this, &TEditorForm::IdleUpdate);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TEditorForm::ScheduleIdleUpdate);
  connect(pageControl_, &QTabWidget::currentChanged, this, [this](int index) {
    if (closing_ || index < 0 || index >= static_cast<int>(files_.size())) return;
    if (current_ != files_[static_cast<size_t>(index)].get()) SetCurrentFile(files_[static_cast<size_t>(index)].get());
  });
  UpdateCaption();
}

TEditorForm::~TEditorForm() {
  closing_ = true;
  current_ = nullptr;
}

// Building the window.

void TEditorForm::CreateActions() {
  for (const texts::TActionText& text : texts::kActions) {
    auto* action = new QAction(EditorImage(text.glyph), text.caption, this);
    action->setObjectName(text.name);
    action->setStatusTip(text.hint);
    action->setToolTip(text.hint);
    if (*text.shortcut != '\0') action->setShortcut(QKeySequence(text.shortcut));
    action->setEnabled(text.startEnabled);
    action->setShortcutContext(Qt::WindowShortcut);
    actions_[text.name] = action;
    addAction(action);
  }
  for (const char* name : {"acShowMatchedWords", "acShowMatchedLines"}) actions_[name]->setCheckable(true);
  actions_["acShowMatchedWords"]->setChecked(dataMod_.EditorShowMatchedStrings.Value());
  actions_["acShowMatchedLines"]->setChecked(dataMod_.EditorShowMatchedLines.Value());

  for (int number = 0; number < 10; ++number) {
    const QString digit = QString::number(number);
    const QIcon glyph = EditorImage("Bookmark" + digit);
    auto* set = new QAction(glyph, QString(texts::kBookmarkCaption).arg(digit), this);
    set->setObjectName(texts::kSetBookmarkName + digit);
    set->setStatusTip(QString(texts::kSetBookmarkHint).arg(digit));
    set->setShortcut(QKeySequence(QString(texts::kSetBookmarkShortcut).arg(digit)));
    set->setData(number);
    set->setEnabled(false);
    auto* go = new QAction(glyph, QString(texts::kBookmarkCaption).arg(digit), this);
    go->setObjectName(number == 0 ? QString(texts::kGotoBookmarkFirstName) : texts::kGotoBookmarkName + digit);
    go->setStatusTip(QString(texts::kGotoBookmarkHint).arg(digit));
    go->setShortcut(QKeySequence(QString(texts::kGotoBookmarkShortcut).arg(digit)));
    go->setData(number);
    go->setEnabled(false);
    setBookmark_[static_cast<size_t>(number)] = set;
    gotoBookmark_[static_cast<size_t>(number)] = go;
    actions_[set->objectName()] = set;
    actions_[go->objectName()] = go;
    addAction(set);
    addAction(go);
  }
}

void TEditorForm::CreateMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName("MainMenu");
  const auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (name == nullptr) {
        menu->addSeparator();
      } else {
        menu->addAction(actions_.at(name));
      }
    }
  };
  QMenu* file = bar->addMenu(texts::kFileMenu);
  file->setObjectName("mnFile");
  add(file, {"acNew", "acOpen", "acClose", "acSave", "acSaveAs", "acSaveAll", nullptr, "acPreferences", nullptr, "acExit"});
  QMenu* edit = bar->addMenu(texts::kEditMenu);
  edit->setObjectName("mnEdit");
  add(edit, {"acUnDo", nullptr, "acCut", "acCopy", "acPaste", "acDelete", "acSelectAll", nullptr, "acFind",
             "acFindAgain", "acReplace", "acGotoLine", nullptr, "acPreviousLine", "acNextLine", nullptr});
  const QIcon bookmark = EditorImage("Bookmark");
  bookmarksMenu_ = edit->addMenu(bookmark, texts::kBookmarksMenu);
  bookmarksMenu_->setObjectName("mnBookmarks");
  bookmarksMenu_->menuAction()->setStatusTip(texts::kBookmarksHint);
  toggleMenu_ = bookmarksMenu_->addMenu(bookmark, texts::kToggleMenu);
  toggleMenu_->setObjectName("mnToggleBookmark");
  toggleMenu_->menuAction()->setStatusTip(texts::kToggleHint);
  goToMenu_ = bookmarksMenu_->addMenu(bookmark, texts::kGoToMenu);
  goToMenu_->setObjectName("mnGotoBookmark");
  goToMenu_->menuAction()->setStatusTip(texts::kGoToHint);
  for (int number = 0; number < 10; ++number) {
    toggleMenu_->addAction(setBookmark_[static_cast<size_t>(number)]);
    goToMenu_->addAction(gotoBookmark_[static_cast<size_t>(number)]);
  }
  QMenu* view = bar->addMenu(texts::kViewMenu);
  view->setObjectName("mnView");
  add(view, {"acShowMatchedWords", "acShowMatchedLines"});
  QMenu* help = bar->addMenu(texts::kHelpMenu);
  help->setObjectName("mnHelp");
  add(help, {"acHelp"});
  layout()->setMenuBar(bar);

  pumEdit_ = new QMenu(this);
  pumEdit_->setObjectName("pumEdit");
  add(pumEdit_, {"acUnDo", nullptr, "acCut", "acCopy", "acPaste", "acDelete", "acSelectAll"});
}

QToolBar* TEditorForm::CreateToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("ToolBar");
  bar->setIconSize(QSize(16, 16));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const char* name : {"acNew", "acOpen", "acClose", "acSave", "acSaveAll", "|", "acUnDo", "|", "acCopy", "acCut",
                           "acPaste", "|", "acFind", "acFindAgain", "acReplace", "acGotoLine", "|",
                           "acShowMatchedWords", "acShowMatchedLines", "|", "acPreviousLine", "acNextLine", "|",
                           "acExit"}) {
    if (QString(name) == "|") {
      bar->addSeparator();
    } else {
      bar->addAction(actions_.at(name));
    }
  }
  return bar;
}

void TEditorForm::ConnectActions() {
  const auto on = [this](const char* name, auto handler) { connect(actions_.at(name), &QAction::triggered, this, handler); };
  const auto onEditor = [this, &on](const char* name, void (TEditControl::*command)()) {
    on(name, [this, command] {
      if (TEditControl* editor = CurrentEditor()) (editor->*command)();
    });
  };
  on("acNew", [this] { OpenFile(QString()); });
  on("acOpen", [this] { OpenClick(); });
  on("acClose", [this] { CloseCurrentFile(); });
  on("acSave", [this] {
    if (current_ != nullptr) SaveOrAsk(*current_);
  });
  on("acSaveAs", [this] {
    if (current_ != nullptr) SaveFileAs(*current_);
  });
  on("acSaveAll", [this] { SaveAllClick(); });
  on("acPreferences", [this] { PreferencesClick(); });
  on("acExit", [this] { close(); });
  onEditor("acUnDo", &TEditControl::Undo);
  onEditor("acCut", &TEditControl::Cut);
  onEditor("acCopy", &TEditControl::Copy);
  onEditor("acPaste", &TEditControl::Paste);
  onEditor("acDelete", &TEditControl::DeleteSelection);
  onEditor("acSelectAll", &TEditControl::SelectAll);
  on("acFind", [this] { FindClick(); });
  on("acReplace", [this] { ReplaceClick(); });
  on("acFindAgain", [this] { FindAgainClick(); });
  on("acGotoLine", [this] { GotoLineClick(); });
  for (int number = 0; number < 10; ++number) {
    connect(setBookmark_[static_cast<size_t>(number)], &QAction::triggered, this, [this, number] { ToggleBookmark(number); });
    connect(gotoBookmark_[static_cast<size_t>(number)], &QAction::triggered, this, [this, number] { GotoBookmark(number); });
  }
  on("acNextLine", [this] { GoToMatchedLine(true); });
  on("acPreviousLine", [this] { GoToMatchedLine(false); });
  on("acHelp", [] {
    const QString help = QApplication::applicationFilePath() + ".CHM";
    if (QFileInfo::exists(help)) QDesktopServices::openUrl(QUrl::fromLocalFile(help));
  });
  for (const char* name : {"acShowMatchedWords", "acShowMatchedLines"}) {
    on(name, [this, name](bool checked) {
      if (QString(name) == "acShowMatchedWords") {
        dataMod_.EditorShowMatchedStrings.Set(checked);
      } else {
        dataMod_.EditorShowMatchedLines.Set(checked);
      }
      if (TEditControl* editor = CurrentEditor()) editor->Invalidate();
    });
  }
}

// Files and pages.

QString TEditorForm::DisplayName(const QString& fileName) {
  if (fileName.trimmed().isEmpty()) return texts::kUntitled;
  return QFileInfo(fileName).fileName();
}

TEditControl* TEditorForm::CurrentEditor() const { return current_ != nullptr ? current_->Editor : nullptr; }

QAction* TEditorForm::Action(const QString& name) const {
  const auto found = actions_.find(name);
  return found == actions_.end() ? nullptr : found->second;
}

TFileInfo* TEditorForm::FindOpenFile(const QString& fileName) const {
  for (const auto& file : files_) {
    if (file->FileName.compare(fileName, Qt::CaseInsensitive) == 0) return file.get();
  }
  return nullptr;
}

TFileInfo* TEditorForm::FileOf(const TEditControl& editor) const {
  for (const auto& file : files_) {
    if (file->Editor == &editor) return file.get();
  }
  return nullptr;
}

void TEditorForm::OpenMatchedFile(const QString& fileName, int line, const std::string& stringA,
                                  const std::string& stringB, uint8_t matchType, uint8_t matchProximity,
                                  const std::vector<int32_t>& matchedLines, bool caseSensitive, bool wholeWord) {
  findText_ = !stringA.empty() ? stringA : stringB;
  findWholeWord_ = wholeWord;
  findMatchCase_ = caseSensitive;
  if (TFileInfo* open = FindOpenFile(fileName)) {
    SetCurrentFile(open);
  } else {
    OpenFile(fileName);
  }
  if (current_ == nullptr) return;
  current_->StringA = stringA;
  current_->StringB = stringB;
  current_->MatchType = matchType;
  current_->MatchProximity = matchProximity;
  current_->CaseSensitive = caseSensitive;
  current_->WholeWord = wholeWord;
  if (!matchedLines.empty()) {
    current_->MatchedLines = matchedLines;
    std::sort(current_->MatchedLines.begin(), current_->MatchedLines.end());
  }
  current_->Highlighter = editor::TMatchHighlighter(stringA, stringB, matchType, caseSensitive, wholeWord);
  GoToLineCentred(1, line);
  current_->Editor->Invalidate();
}

TFileInfo* TEditorForm::OpenFile(const QString& fileName) {
  if (!fileName.isEmpty() && !QFileInfo(fileName).exists()) {
    AskUser(QString(texts::kFileNotFound).arg(fileName), TMessageKind::Error, {TMessageButton::OK});
    return nullptr;
  }
  auto owned = std::make_unique<TFileInfo>();
  TFileInfo* file = owned.get();
  files_.push_back(std::move(owned));
  current_ = file;

  auto* page = new QWidget(pageControl_);
  page->setObjectName(QString("Page%1").arg(files_.size()));
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  auto* editor = new TEditControl(page);
  editor->setObjectName("Editor");
  pageLayout->addWidget(editor);
  file->Page = page;
  file->Editor = editor;
  ConfigureEditor(*editor);
  {
    const QSignalBlocker quiet(pageControl_);
    pageControl_->addTab(page, DisplayName(fileName));
    pageControl_->setTabToolTip(pageControl_->indexOf(page), fileName);
  }

  bool loaded = true;
  if (!fileName.isEmpty()) {
    file->FileName = fileName;
    loaded = LoadInto(*file);
    if (!loaded) file->FileName.clear();
  }
  SetGutterWidthFor(*editor);
  editor->SetCaret(0, 0);
  editor->SetModified(false);
  if (editor->ShowsLongLinesBroken()) SetStatusText(0, texts::kLongLinesShown);
  if (loaded && !file->FileName.isEmpty()) {
    const int32_t attributes = platform::fs::QueryAttributes(QFile::encodeName(file->FileName).toStdString());
    editor->SetReadOnly(attributes >= 0 && (attributes & platform::fs::kReadOnly) != 0);
    Watch(file->FileName);
  }
  SetCurrentFile(file);
  return file;
}

void TEditorForm::ConfigureEditor(TEditControl& editor) {
  editor.OnChange = [this](TEditControl&) { UpdateCaption(); };
  editor.OnChangeStatus = [this](TEditControl& changed) { EditorStatusChanged(changed); };
  editor.OnGetLineAttr = [this](TEditControl& control, std::string_view line, int index, TLineAttrs& attrs) {
    PaintLineAttrs(control, line, index, attrs);
  };
  editor.OnPaintGutter = [this](TEditControl& control, QPainter& painter, const QRect& gutter) {
    PaintGutter(control, painter, gutter);
  };
  editor.OnLinesChanged = [this](TEditControl& control, int line, int linesAdded, bool fromLineStart) {
    if (TFileInfo* file = FileOf(control)) editor::ShiftMatchedLines(file->MatchedLines, line, linesAdded, fromLineStart);
  };
  editor.OnKeyDown = [this](TEditControl&, int& key, Qt::KeyboardModifiers) { EditorKeyDown(key); };
  editor.SetPopupMenu(pumEdit_);
  ApplyEditorPreferences(editor);
}

bool TEditorForm::LoadInto(TFileInfo& file) {
  try {
    const std::string bytes = editor::ReadFileBytes(QFile::encodeName(file.FileName).toStdString());
    file.Editor->SetBytes(bytes);
    file.FileTime = editor::ReadFileStamp(QFile::encodeName(file.FileName).toStdString());
    return true;
  } catch (const editor::TFileError& error) {
    ShowError(DisplayString(error.what()));
    return false;
  }
}

void TEditorForm::ApplyEditorPreferences(TEditControl& editor) {
  const QPalette colours = palette();
  const auto colour = [&colours](const TColourSetting& setting) { return ResolveColour(setting.Value(), colours); };
  editor.SetBackSpaceUnindents(dataMod_.EditorBackSpaceUnindents.Value());
  editor.SetCursorBeyondEOF(dataMod_.EditorCursorBeyondEOF.Value());
  editor.SetDoubleClickLine(dataMod_.EditorDoubleClickLine.Value());
  editor.SetKeepTrailingBlanks(dataMod_.EditorKeepTrailingBlanks.Value());
  editor.SetAutoIndent(dataMod_.EditorAutoIndent.Value());
  editor.SetSmartTab(dataMod_.EditorSmartTab.Value());
  editor.SetTabStops(dataMod_.EditorTabStops.Value());
  editor.SetRightMargin(dataMod_.EditorRightMarginPos.Value(), dataMod_.EditorRightMarginVisible.Value(),
                        colour(dataMod_.EditorRightMarginColour));
  editor.SetTextFont(EditorFont(dataMod_));
  editor.SetColours(colour(dataMod_.EditorForeColour), colour(dataMod_.EditorBackColour));
  editor.SetGutterColour(colour(dataMod_.EditorGutterColour));
  editor.SetSelectionColours(colour(dataMod_.EditorSelForeColour), colour(dataMod_.EditorSelBackColour));
  editor.SetBracketHighlighting(dataMod_.EditorBracketHighlighting.Value(), colour(dataMod_.EditorBracketBackColour),
                                colour(dataMod_.EditorBracketForeColour), colour(dataMod_.EditorBracketBackColour));
  SetGutterWidthFor(editor);
}

// The preferences dialog, centred on the window; after OK every open page takes the settings.
void TEditorForm::PreferencesClick() {
  TConfigurationEditorForm dialog(dataMod_, this);
  QRect placed = dialog.frameGeometry();
  placed.moveCenter(frameGeometry().center());
  dialog.move(placed.topLeft());
  if (RunPreferences(dialog) != QDialog::Accepted) return;
  for (const auto& file : files_) {
    ApplyEditorPreferences(*file->Editor);
    file->Editor->Invalidate();
  }
}

void TEditorForm::SetGutterWidthFor(TEditControl& editor) {
  const QFontMetrics metrics(editor.TextFont());
  editor.SetGutterWidth(metrics.horizontalAdvance(QString::number(editor.LineCount())) + kGlyphWidth + 4);
}

void TEditorForm::SetCurrentFile(TFileInfo* file) {
  current_ = file;
  if (file != nullptr) {
    {
      const QSignalBlocker quiet(pageControl_);
      pageControl_->setCurrentWidget(file->Page);
    }
    if (isVisible() && file->Editor->isVisible()) file->Editor->SetFocusToText();
  }
  if (file != nullptr) {
    EditorStatusChanged(*file->Editor);
  } else {
    SetStatusText(1, QString());
    SetStatusText(3, QString());
    UpdateCaption();
  }
  ScheduleIdleUpdate();
}

void TEditorForm::EditorStatusChanged(TEditControl& editor) {
  if (current_ != nullptr && current_->Editor == &editor) {
    SetStatusText(1, QString(texts::kCaretPosition).arg(editor.CaretLine() + 1).arg(editor.CaretColumn() + 1));
    SetStatusText(3, editor.Recording() ? texts::kRecording : "");
  } else if (current_ == nullptr) {
    SetStatusText(1, QString());
    SetStatusText(3, QString());
  }
  UpdateCaption();
  ScheduleIdleUpdate();
}

void TEditorForm::UpdateCaption() {
  QString caption = DisplayString(dataMod_.VersionData.VersionInfo().ProductName) + texts::kCaptionSuffix;
  if (current_ != nullptr) {
    caption += " [" + DisplayName(current_->FileName) + (current_->Editor->Modified() ? " *" : "") + "]";
  }
  if (windowTitle() != caption) setWindowTitle(caption);
}

void TEditorForm::GoToLineCentred(int column, int line) {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  // A page not shown yet knows no rows: its caret moves now and is centred once it is shown.
  CentreLine(*editor, column, line);
  editor->WhenSized([editor, column, line] { CentreLine(*editor, column, line); });
}

// The target line goes to the middle of the view whenever the text is long enough; the caret
// stands on it at the column.
void TEditorForm::CentreLine(TEditControl& editor, int column, int line) {
  editor.BeginUpdate();
  const int half = editor.VisibleRows() / 2;
  editor.SetCaret(column - 1, line - 1);
  editor.SetTopRow(std::max(editor.CaretLine() - half, 0));
  editor.EndUpdate();
}

void TEditorForm::SetStatusText(int panel, const QString& text) { statusBar_->SetStatusText(panel, text); }

QString TEditorForm::StatusText(int panel) const { return statusBar_->PanelText(panel); }

// The gutter: line numbers right-aligned, bookmark flags at the left edge.
void TEditorForm::PaintGutter(TEditControl& editor, QPainter& painter, const QRect& gutter) {
  painter.fillRect(gutter, editor.GutterColour());
  if (current_ == nullptr) return;
  painter.setFont(editor.TextFont());
  const QFontMetrics metrics = painter.fontMetrics();
  const int count = editor.LineCount();
  const int needed = metrics.horizontalAdvance(QString::number(count)) + kGlyphWidth + 4;
  if (editor.GutterWidth() != needed) {
    QTimer::singleShot(0, &editor, [&editor, needed] { editor.SetGutterWidth(needed); });
    return;
  }
  painter.setPen(palette().color(QPalette::WindowText));
  const int height = metrics.height();
  const int top = editor.TopRow();
  const int rows = editor.VisibleRows();
  for (int row = 0; row <= rows; ++row) {
    const int number = top + row + 1;
    if (number > count) break;
    const QRect cell = editor.CellRect(0, row);
    const int y = (cell.top() + cell.bottom() - height) / 2;
    painter.drawText(QRect(gutter.left(), y, gutter.width() - 4, height), Qt::AlignRight | Qt::AlignTop,
                     QString::number(number));
  }
  for (int number = 9; number >= 0; --number) {
    const TBookmark bookmark = editor.Bookmark(number);
    if (!bookmark.Set || bookmark.Line < top || bookmark.Line > top + rows) continue;
    const QRect cell = editor.CellRect(0, bookmark.Line - top);
    const int y = (cell.top() + cell.bottom() - kGlyphWidth) / 2 + 1;
    EditorImage("Bookmark" + QString::number(number)).paint(&painter, QRect(gutter.left(), y, kGlyphWidth, kGlyphWidth));
  }
}

// Matched lines and matched strings, in the colours of the settings; the strings win.
void TEditorForm::PaintLineAttrs(TEditControl& editor, std::string_view line, int index, TLineAttrs& attrs) {
  const TFileInfo* file = FileOf(editor);
  if (file == nullptr) return;
  const QPalette colours = palette();
  const auto colour = [&colours](const TColourSetting& setting) { return ResolveColour(setting.Value(), colours); };
  if (actions_.at("acShowMatchedLines")->isChecked() && editor::IsMatchedLine(file->MatchedLines, index + 1)) {
    const QColor fore = colour(dataMod_.EditorMatchedLineForegroundColour);
    const QColor back = colour(dataMod_.EditorMatchedLineBackgroundColour);
    for (size_t p = 1; p < attrs.size(); ++p) {
      if (attrs[p].Back != editor.BackColour()) continue;
      attrs[p].Fore = fore;
      attrs[p].Back = back;
    }
  }
  if (!actions_.at("acShowMatchedWords")->isChecked()) return;
  const std::vector<editor::TMatchSpan> spans = file->Highlighter.Spans(line, kLineAttrColumns);
  if (spans.empty()) return;
  const QColor fore = colour(dataMod_.EditorMatchedStringForegroundColour);
  const QColor back = colour(dataMod_.EditorMatchedStringBackgroundColour);
  for (const editor::TMatchSpan& span : spans) {
    const bool exchanged = span.second && file->Highlighter.AndNot();
    for (size_t p = span.start + 1; p <= span.start + span.length && p < attrs.size(); ++p) {
      attrs[p].Fore = exchanged ? back : fore;
      attrs[p].Back = exchanged ? fore : back;
    }
  }
}

// The state pass.

void TEditorForm::ScheduleIdleUpdate() {
  if (!closing_ && !idleTimer_->isActive()) idleTimer_->start();
}

void TEditorForm::IdleUpdate() {
  if (closing_) return;
  TEditControl* editor = CurrentEditor();
  const bool f = editor != nullptr;
  const bool t = f && editor->LineCount() > 0;
  const bool r = f && editor->ReadOnly();
  const auto enable = [this](const char* name, bool enabled) { actions_.at(name)->setEnabled(enabled); };
  enable("acSave", f && !r && editor->Modified());
  enable("acSaveAs", f);
  enable("acClose", f);
  enable("acUnDo", f && editor->CanUndo());
  enable("acCut", t && !r && editor->CanCut());
  enable("acCopy", t && editor->CanCopy());
  enable("acPaste", f && !r && editor->CanPaste());
  enable("acDelete", t && !r && editor->HasSelection());
  enable("acSelectAll", t && editor->CanSelectAll());
  enable("acGotoLine", t);
  enable("acFind", t);
  enable("acFindAgain", t && !findText_.empty());
  enable("acReplace", t && !r);
  enable("acShowMatchedWords", f && (!current_->StringA.empty() || !current_->StringB.empty()));
  enable("acShowMatchedLines", f && !current_->MatchedLines.empty());
  UpdateMatchedLineActions();
  bool anySet = false;
  bool anyGoto = false;
  for (int number = 0; number < 10; ++number) {
    setBookmark_[static_cast<size_t>(number)]->setEnabled(t);
    const bool go = t && editor->Bookmark(number).Set;
    gotoBookmark_[static_cast<size_t>(number)]->setEnabled(go);
    anySet = anySet || t;
    anyGoto = anyGoto || go;
  }
  toggleMenu_->setEnabled(anySet);
  goToMenu_->setEnabled(anyGoto);
  bookmarksMenu_->setEnabled(anySet || anyGoto);
  const bool anyModified = std::any_of(files_.begin(), files_.end(), [](const auto& file) { return file->Editor->Modified(); });
  enable("acSaveAll", anyModified && files_.size() > 1);
  const QString help = QApplication::applicationFilePath() + ".CHM";
  enable("acHelp", QFileInfo::exists(help));

  SetStatusText(6, LockKeyOn(TLockKey::Scroll) ? texts::kScroll : "");
  SetStatusText(5, LockKeyOn(TLockKey::Num) ? texts::kNum : "");
  SetStatusText(4, LockKeyOn(TLockKey::Caps) ? texts::kCaps : "");
  if (f) SetStatusText(2, r ? texts::kReadOnly : editor->InsertMode() ? texts::kInsert : texts::kOverwrite);
  CheckForOutsideChanges();
}

// Next and previous matched line, from the caret's line; neither wraps around.
void TEditorForm::UpdateMatchedLineActions() {
  QAction* next = actions_.at("acNextLine");
  QAction* previous = actions_.at("acPreviousLine");
  std::optional<int32_t> nextLine;
  std::optional<int32_t> previousLine;
  if (current_ != nullptr && !current_->MatchedLines.empty()) {
    const int32_t caret = current_->Editor->CaretLine() + 1;
    nextLine = editor::NextMatchedLine(current_->MatchedLines, caret);
    if (nextLine && *nextLine > current_->Editor->LineCount()) nextLine.reset();
    previousLine = editor::PreviousMatchedLine(current_->MatchedLines, caret);
  }
  next->setEnabled(nextLine.has_value());
  next->setStatusTip(nextLine ? QString(texts::kNextMatchedLineHint).arg(*nextLine) : "Go to next matched line");
  previous->setEnabled(previousLine.has_value());
  previous->setStatusTip(previousLine ? QString(texts::kPreviousMatchedLineHint).arg(*previousLine)
                                      : "Go to previous matched line");
  next->setToolTip(next->statusTip());
  previous->setToolTip(previous->statusTip());
}

void TEditorForm::GoToMatchedLine(bool next) {
  if (current_ == nullptr) return;
  const int32_t caret = current_->Editor->CaretLine() + 1;
  const std::optional<int32_t> line = next ? editor::NextMatchedLine(current_->MatchedLines, caret)
                                           : editor::PreviousMatchedLine(current_->MatchedLines, caret);
  if (line) GoToLineCentred(1, *line);
}

// Window events.

void TEditorForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (files_.empty()) OpenFile(QString());
  if (!files_.empty()) SetCurrentFile(files_.front().get());
  UpdateCaption();
  pollTimer_->start();
  ScheduleIdleUpdate();
}

void TEditorForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (TEditControl* editor = CurrentEditor()) editor->Invalidate();
}

bool TEditorForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::StatusTip:
      statusBar_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    case QEvent::WindowActivate:
      ScheduleIdleUpdate();
      break;
    default:
      break;
  }
  return QDialog::event(event);
}
