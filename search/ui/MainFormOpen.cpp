// Opening the files behind the selected results: in the internal editor, the specified editor
// or one of the desktop's applications for the file type; and their Properties.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeDatabase>
#include <QToolButton>

#include "platform/fs/FileSystem.h"
#include "platform/shell/CommandLineWords.h"
#include "platform/shell/MimeApps.h"
#include "search/engine/ScopeExit.h"
#include "search/engine/TextRules.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MainForm.h"
#include "search/ui/MainFormTexts.h"
#include "search/ui/MessageForm.h"
#include "search/ui/PropertiesForm.h"
#include "search/ui/ResultsView.h"
#include "search/ui/ToolbarImages.h"

namespace {

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QIcon ApplicationIcon(const std::string& icon) {
  if (icon.empty()) return {};
  const QString name = QString::fromStdString(icon);
  return QFileInfo(name).isAbsolute() ? QIcon(name) : QIcon::fromTheme(name);
}

}  // namespace

// Run by the Open button, a double click and Enter in the results.
void TMainForm::RunOpenCommand(int tag) {
  if (searching_ || !vstResults_->CanOpen()) return;
  if (tag == kInternalEditorTag) {
    OpenInEditor();
  } else if (tag == kSpecifiedEditorTag) {
    ForEachSelectedFile([this](const search::TSelectedFile& file) { OpenWithSpecifiedEditor(file); });
  } else {
    ForEachSelectedFile([this, tag](const search::TSelectedFile& file) { OpenWithApplication(file, tag); });
  }
}

// The window is disabled and the hourglass shown while the files are handed over.
void TMainForm::ForEachSelectedFile(const std::function<void(const search::TSelectedFile& file)>& operation) {
  const std::vector<search::TSelectedFile> files = search::SelectedFiles(state_.Results, vstResults_->SelectedNodes());
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const search::TScopeExit restore([this] {
    QApplication::restoreOverrideCursor();
    setEnabled(true);
  });
  for (const search::TSelectedFile& file : files) {
    if (QCoreApplication::closingDown()) break;
    operation(file);
  }
}

void TMainForm::OpenInEditor() {
  search::TOpenInEditorRequest request;
  request.Files = search::FilesForEditor(state_.Results, vstResults_->SelectedNodes());
  if (request.Files.empty() || !OpenInInternalEditor) return;
  request.StringA = EngineString(cbStringA_->currentText());
  request.StringB = EngineString(cbStringB_->currentText());
  request.MatchType = state_.MatchType;
  request.MatchProximity = dataMod_.MatchProximity.Value() != 0;
  request.CaseSensitive = ckCaseSensitive_->isChecked();
  request.WholeWordOnly = ckWholeWord_->isChecked();
  OpenInInternalEditor(request);
}

void TMainForm::OpenWithSpecifiedEditor(const search::TSelectedFile& file) {
  const platform::shell::TProgramCall call = platform::shell::SpecifiedEditorCall(
      dataMod_.Editor.Value(), dataMod_.ExternalEditorAguments.Value(), file.Path, file.Line);
  Start(call, DisplayString(call.Program));
}

void TMainForm::OpenWithApplication(const search::TSelectedFile& file, int tag) {
  if (tag < 0 || static_cast<size_t>(tag) >= openWithApplications_.size()) return;
  const TOpenWithApplication& application = openWithApplications_[static_cast<size_t>(tag)];
  Start(platform::shell::ExecCall(application.Entry, {file.Path}), DisplayString(application.Entry.Name));
}

// A program that cannot be started says so, once per file; the walk goes on.
void TMainForm::Start(const platform::shell::TProgramCall& call, const QString& name) {
  const std::string program = platform::shell::ResolveProgram(call.Program);
  QString error;
  if (program.empty()) {
    error = DisplayString(platform::fs::ErrorMessage(ENOENT));
  } else {
    error = StartProgram({program, call.Arguments});
  }
  if (error.isEmpty()) return;
  ShowMessageDialog(QString(texts::kUnableToStart).arg(name, error), TMessageKind::Error, {TMessageButton::OK}, 0,
                    this);
}

// The specified editor: the Editor setting's program, when it can be found.
std::string TMainForm::SpecifiedEditorProgram() const {
  if (!dataMod_.UseExternalEditor.Value()) return {};
  const std::vector<std::string> words = platform::shell::SplitCommandLine(dataMod_.Editor.Value());
  return words.empty() ? std::string() : platform::shell::ResolveProgram(words.front());
}

// The applications for the file's type and the types it is a kind of, read once per type.
const std::vector<platform::shell::TDesktopEntry>& TMainForm::ApplicationsFor(const std::string& path) {
  const QMimeType type = QMimeDatabase().mimeTypeForFile(PathText(path), QMimeDatabase::MatchExtension);
  const std::string name = type.name().toStdString();
  auto found = applicationsByType_.find(name);
  if (found == applicationsByType_.end()) {
    std::vector<std::string> types = {name};
    for (const QString& parent : type.allAncestors()) types.push_back(parent.toStdString());
    found = applicationsByType_.emplace(name, platform::shell::ApplicationsForMimeTypes(types)).first;
  }
  return found->second;
}

void TMainForm::AddOpenEntry(int tag, const QString& caption, const QString& hint, const QIcon& image, bool enabled) {
  auto* entry = new QAction(image, caption, this);
  entry->setStatusTip(hint);
  entry->setEnabled(enabled);
  entry->setData(tag);
  connect(entry, &QAction::triggered, this, [this, tag] { RunOpenCommand(tag); });
  pumEditDropDown_->addAction(entry);
  openWithMenu_->addAction(entry);
  openEntries_.push_back(entry);
}

void TMainForm::BuildOpenMenus() {
  for (QAction* entry : openEntries_) entry->deleteLater();
  openEntries_.clear();
  pumEditDropDown_->clear();
  openWithMenu_->clear();
  openWithApplications_.clear();
  const int defaultEditor = dataMod_.DefaultEditor.Value();
  std::optional<int> defaultTag;
  QIcon buttonImage;
  const auto addInternalEditor = [this] {
    AddOpenEntry(kInternalEditorTag, texts::kInternalEditor, texts::kInternalEditorHint, ToolbarImage("Edit"), true);
  };

  if (dataMod_.UseInternalEditor.Value()) {
    addInternalEditor();
    if (defaultEditor == 0) {
      defaultTag = kInternalEditorTag;
      buttonImage = openButtonImage_;
    }
  }
  const std::string editor = SpecifiedEditorProgram();
  if (!editor.empty()) {
    const QString path = PathText(editor);
    const QIcon image = QIcon::fromTheme(QFileInfo(path).baseName());
    if (defaultEditor == 1) {
      defaultTag = kSpecifiedEditorTag;
      buttonImage = image;
    }
    AddOpenEntry(kSpecifiedEditorTag, QFileInfo(path).completeBaseName(), QString(texts::kOpenWithHint).arg(path),
                 image, true);
  }
  const std::vector<search::TNodeRef> selected = vstResults_->SelectedNodes();
  if (dataMod_.UseAssociatedEditor.Value() && search::GetSelectedExtensions(state_.Results, selected).size() == 1) {
    const std::vector<search::TSelectedFile> files = search::SelectedFiles(state_.Results, selected);
    const auto& applications = files.empty() ? std::vector<platform::shell::TDesktopEntry>() : ApplicationsFor(files.front().Path);
    for (const platform::shell::TDesktopEntry& entry : applications) {
      const int tag = static_cast<int>(openWithApplications_.size());
      openWithApplications_.push_back({entry, platform::shell::EntryProgram(entry)});
      const TOpenWithApplication& application = openWithApplications_.back();
      if (!editor.empty() && application.Program == editor) continue;
      const QIcon image = ApplicationIcon(entry.Icon);
      if (!defaultTag) defaultTag = tag;
      if (defaultEditor == 2 && buttonImage.isNull()) buttonImage = image;
      // A missing program is offered greyed, so that nothing fails silently.
      AddOpenEntry(tag, DisplayString(entry.Name),
                   QString(texts::kOpenWithHint).arg(PathText(application.Program.empty() ? entry.Exec : application.Program)),
                   image, !application.Program.empty());
    }
  }
  if (!defaultTag) {
    if (!dataMod_.UseInternalEditor.Value()) addInternalEditor();
    defaultTag = kInternalEditorTag;
    buttonImage = openButtonImage_;
  }
  defaultOpenTag_ = *defaultTag;
  btEditWith_->setIcon(buttonImage.isNull() ? openButtonImage_ : buttonImage);
}

void TMainForm::PropertiesClick() {
  ForEachSelectedFile([this](const search::TSelectedFile& file) {
    auto* properties = new TPropertiesForm(file.Path, this);
    properties->setAttribute(Qt::WA_DeleteOnClose);
    properties->show();
  });
}

// The registered viewer's first word is its program; the file goes after its other words.
void TMainForm::QuickViewClick() {
  const std::vector<std::string> words = platform::shell::SplitCommandLine(quickViewCommand_);
  if (words.empty()) return;
  ForEachSelectedFile([this, &words](const search::TSelectedFile& file) {
    platform::shell::TProgramCall call{words.front(), {words.begin() + 1, words.end()}};
    call.Arguments.push_back(file.Path);
    Start(call, DisplayString(words.front()));
  });
}
