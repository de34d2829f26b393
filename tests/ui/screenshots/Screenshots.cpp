// Renders the windows offscreen into PNG files: the main window empty and after a search, the
// busy dialog over a running search, the filter dialog, a message dialog, the preferences, the
// editor and its dialogs. Usage: ui-screenshots FOLDER

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "search/settings/ShellIntegration.h"
#include "search/settings/forms/ConfigurationForm.h"
#include "search/editor/ConfigurationEditorForm.h"
#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/FindReplaceDialog.h"
#include "search/editor/GoToLineForm.h"
#include "search/ui/BusyForm.h"
#include "search/ui/FilterForm.h"
#include "search/ui/MainForm.h"
#include "search/ui/MessageForm.h"
#include "search/ui/UpdateAvailable.h"
#include "search/ui/PropertiesForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "search/ui/StatusPanels.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

QString folder;

void Save(const QPixmap& picture, const char* name) {
  const QString path = QDir(folder).filePath(name);
  if (!picture.save(path)) std::fprintf(stderr, "ui-screenshots: cannot write %s\n", qPrintable(path));
  std::printf("%s\n", qPrintable(path));
}

// The offscreen pointer rests over the toolbar; its hint is taken off the status bar.
QPixmap GrabCalm(QWidget& window) {
  QCoreApplication::processEvents();
  QStatusTipEvent none{QString()};
  QApplication::sendEvent(&window, &none);
  return window.grab();
}

// The window with its top-level dialogs or menus painted where they stand over it.
QPixmap Composite(QWidget& window, std::initializer_list<QWidget*> popups) {
  QPixmap picture = GrabCalm(window);
  QPainter painter(&picture);
  for (QWidget* popup : popups) {
    // Offscreen windows have no frame of their own: a thin border and a soft shadow stand in.
    const QRect at(popup->geometry().topLeft() - window.geometry().topLeft(), popup->size());
    for (int i = 1; i <= 4; ++i) painter.fillRect(at.translated(i, i), QColor(0, 0, 0, 18));
    painter.drawPixmap(at.topLeft(), popup->grab());
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(at.adjusted(-1, -1, 0, 0));
  }
  return picture;
}

QPixmap Composite(QWidget& window, QWidget& dialog) { return Composite(window, {&dialog}); }

// A menu opened at a point of the window, its submenu (when given) beside its entry.
void SaveMenu(TMainForm& form, QMenu& menu, QPoint at, QMenu* submenu, const char* name) {
  form.ApplicationEventsIdle();
  menu.popup(form.mapToGlobal(at));
  QCoreApplication::processEvents();
  if (submenu != nullptr) {
    const QRect entry = menu.actionGeometry(submenu->menuAction());
    menu.setActiveAction(submenu->menuAction());
    submenu->popup(menu.mapToGlobal(QPoint(entry.right() - 4, entry.top())));
    QCoreApplication::processEvents();
    Save(Composite(form, {&menu, submenu}), name);
    submenu->close();
  } else {
    Save(Composite(form, {&menu}), name);
  }
  menu.close();
  QCoreApplication::processEvents();
}

void WriteFixture(TempTree& tree) {
  tree.Write("src/engine/scanner.cpp",
             "#include \"scanner.h\"\n\nnamespace engine {\n\n// Reads every file once.\nvoid Scanner::Run() {\n"
             "  for (const auto& file : files_) {\n    ReadFile(file);\n  }\n}\n\n}  // namespace engine\n");
  tree.Write("src/engine/scanner.h",
             "#pragma once\n\nnamespace engine {\n\nclass Scanner {\n public:\n  void Run();\n  void ReadFile(const "
             "File& file);\n};\n\n}  // namespace engine\n");
  tree.Write("src/ui/window.cpp",
             "#include \"window.h\"\n\nWindow::Window() {\n  scanner_.Run();\n  ShowResults();\n}\n");
  tree.Write("docs/notes.txt", "Nothing to see here.\nThe scanner reads files.\n");
  tree.Write("docs/caf\xE9.txt", "Latin-1 text: caf\xE9 scanner\n");
  for (int i = 0; i < 1500; ++i) tree.Write("bulk/file" + std::to_string(i) + ".cpp", "int value = 0;\n// Run the scanner\n");
}

void SetCriteria(TMainForm& form, const QString& path, const QString& files, const QString& string) {
  form.findChild<QComboBox*>("cbPath")->setEditText(path);
  form.findChild<QComboBox*>("cbFiles")->setEditText(files);
  form.findChild<QComboBox*>("cbStringA")->setEditText(string);
}

// Every page of the editor preferences dialog.
void SaveEditorPreferences(TDataMod& settings) {
  TConfigurationEditorForm dialog(settings);
  dialog.show();
  const char* names[] = {"editor-preferences-options.png", "editor-preferences-colours.png",
                         "editor-preferences-more-colours.png", "editor-preferences-font.png"};
  auto* pages = dialog.findChild<QTabWidget*>("pcPages");
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    Save(dialog.grab(), names[i]);
  }
  // The margin line at column 20, a highlighted bracket pair and a selection in the sample.
  pages->setCurrentIndex(0);
  dialog.findChild<QCheckBox*>("ckRightMarginVisible")->setChecked(true);
  dialog.findChild<QLineEdit*>("edRightMarginAt")->setText("20");
  dialog.findChild<QCheckBox*>("ckHighlightBrackets")->setChecked(true);
  auto* sample = dialog.findChild<TEditControl*>("EditorSample");
  sample->SelectPositions(sample->LineStart(3) + 1, sample->LineStart(4) + 1);
  QCoreApplication::processEvents();
  Save(dialog.grab(), "editor-preferences-changed.png");
}

// The internal editor with two files from the search, the first at its matched line.
void SaveEditor(TDataMod& settings, TempTree& tree) {
  std::string source;
  for (int i = 1; i <= 60; ++i) {
    source += i % 12 == 5 ? "  // the scanner reads line " + std::to_string(i) + "\n"
                          : "  int value" + std::to_string(i) + " = Compute(" + std::to_string(i) + ");\n";
  }
  const std::string path = tree.Write("src/engine/long.cpp", "void Scanner::Long() {\n" + source + "}\n").string();
  TEditorForm editor(settings);
  editor.resize(760, 520);
  editor.move(200, 200);
  editor.OpenMatchedFile(QString::fromStdString(path), 30, "scanner", "", 0, 0, {6, 18, 30, 42, 54}, false, false);
  editor.OpenMatchedFile(QString::fromStdString(tree.RootText() + "src/engine/scanner.cpp"), 6, "scanner", "", 0, 0,
                         {1, 6}, false, false);
  editor.SetCurrentFile(editor.Files().front().get());
  editor.show();
  editor.CurrentEditor()->SetBookmark(1, TBookmark{0, 25, true});
  editor.IdleUpdate();
  QCoreApplication::processEvents();
  Save(GrabCalm(editor), "editor-two-files.png");

  editor.FindClick();
  editor.FindDialog()->move(editor.geometry().topLeft() + QPoint(300, 120));
  QCoreApplication::processEvents();
  Save(Composite(editor, *editor.FindDialog()), "editor-find.png");
  editor.ReplaceClick();
  editor.ReplaceDialog()->move(editor.geometry().topLeft() + QPoint(300, 120));
  QCoreApplication::processEvents();
  Save(Composite(editor, *editor.ReplaceDialog()), "editor-replace.png");
  editor.ReplaceDialog()->hide();
  TGoToLineForm goToLine(&editor);
  goToLine.SetLineNumber(30);
  goToLine.SetNumberOfLines(editor.CurrentEditor()->LineCount());
  goToLine.show();
  QCoreApplication::processEvents();
  Save(goToLine.grab(), "editor-go-to-line.png");
  SaveEditorPreferences(settings);
}

}  // namespace

// A registration with the extension file present and not registered.
class TShownShellIntegration final : public TShellIntegration {
 public:
  std::string ExtensionFilePath() const override { return QCoreApplication::applicationFilePath().toStdString(); }
  bool IsExtensionRegistered() override { return false; }
  void RegisterExtension() override {}
  void UnregisterExtension() override {}
};

// Every page of the preferences dialog.
void SavePreferencePages(TDataMod& dataMod, QWidget& owner) {
  TShownShellIntegration shell;
  TConfigurationForm form(dataMod, shell, &owner);
  form.show();
  auto* pages = form.findChild<QTabWidget*>("pcPages");
  const char* names[] = {"preferences-options.png", "preferences-colours.png", "preferences-editor.png",
                         "preferences-file-info.png", "preferences-update.png"};
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    Save(form.grab(), names[i]);
  }
}

int main(int argc, char** argv) {
  PrepareHeadless();
  QApplication application(argc, argv);
  PrepareIconTheme("breeze");
  QApplication::setApplicationName("Search");
  folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("build/screenshots");
  QDir().mkpath(folder);

  TSettingsSandbox settings;
  TempTree tree;
  WriteFixture(tree);
  const QString root = QString::fromStdString(tree.RootText());

  TMainForm form(settings.DataMod());
  form.resize(1000, 640);
  form.move(200, 200);  // away from the resting pointer, which would light up a toolbar button
  form.show();
  SetCriteria(form, root, "*.cpp;*.h;*.txt", "scanner");
  QCoreApplication::processEvents();
  Save(GrabCalm(form), "main-empty.png");

  // A search in progress, caught at its first repaint.
  bool caught = false;
  QTimer catcher;
  catcher.setInterval(1);
  QObject::connect(&catcher, &QTimer::timeout, [&] {
    TBusyForm* busy = form.BusyForm();
    if (busy == nullptr || caught || busy->FilesFound() == 0) return;
    caught = true;
    busy->SetPath(root + "src/engine/a/rather/long/folder/name/that/does/not/fit/scanner.cpp");
    QCoreApplication::processEvents();
    Save(Composite(form, *busy), "busy-dialog.png");
  });
  catcher.start();
  form.findChild<QCheckBox*>("ckIncludeSubDirectories")->setChecked(true);
  SetCriteria(form, root + "; " + root + "missing", "*.cpp;*.h;*.txt", "scanner");
  form.SearchClick();
  catcher.stop();

  // After the search: files, matched and context lines, notices; one file row and one context
  // line selected to show the selection colours.
  SetCriteria(form, root + "src; " + root + "docs; " + root + "missing", "*.cpp;*.h;*.txt", "scanner");
  form.SearchClick();
  TResultsView& view = form.Results();
  TResultsModel& model = form.ResultsModel();
  view.selectionModel()->select(model.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  view.selectionModel()->select(model.index(0, 0, model.index(1, 0)),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QCoreApplication::processEvents();
  Save(GrabCalm(form), "main-results.png");

  // The menus over the results: the Actions menu with its Copy submenu, the results pop-up
  // with its Sort submenu, and the History menu after three searches.
  QMenuBar* bar = form.menuBar();
  QMenu& actions = *form.findChild<QMenu*>("mnActions");
  SaveMenu(form, actions, bar->actionGeometry(actions.menuAction()).bottomLeft(),
           form.findChild<QMenu*>("mnCopytoClipboard2"), "menu-actions.png");
  QMenu& popup = *form.findChild<QMenu*>("pumResults");
  const QRect row = view.visualRect(model.index(1, 0));
  SaveMenu(form, popup, view.viewport()->mapTo(&form, row.center()), form.findChild<QMenu*>("mnSort2"),
           "menu-results.png");
  SaveMenu(form, *form.findChild<QMenu*>("mnHelp"),
           bar->actionGeometry(form.findChild<QMenu*>("mnHelp")->menuAction()).bottomLeft(), nullptr, "menu-help.png");
  SetCriteria(form, root + "src; " + root + "docs", "*.cpp;*.h;*.txt", "Run");
  form.SearchClick();
  SetCriteria(form, root + "src; " + root + "docs", "*.cpp;*.h;*.txt", "R&D");
  form.findChild<QComboBox*>("cbStringB")->setEditText("scanner");
  form.SearchClick();
  form.findChild<QComboBox*>("cbStringB")->setEditText("");
  QToolButton* history = form.findChild<QToolButton*>("tbHistory");
  SaveMenu(form, *form.findChild<QMenu*>("pumHistoryButton"), history->mapTo(&form, history->rect().bottomLeft()),
           nullptr, "menu-history.png");

  // The Open menu over a selected text file, the Properties window and the tray menu.
  view.selectionModel()->clearSelection();
  view.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QToolButton* open = form.findChild<QToolButton*>("btEditWith");
  SaveMenu(form, *form.findChild<QMenu*>("pumEditDropDown"), open->mapTo(&form, open->rect().bottomLeft()), nullptr,
           "menu-open.png");
  TPropertiesForm properties(tree.RootText() + "docs/notes.txt", &form);
  properties.show();
  QCoreApplication::processEvents();
  Save(properties.grab(), "properties.png");
  properties.close();
  // The tray menu as it shows while the window is in the tray (offscreen has no tray itself).
  QMenu& tray = *form.findChild<QMenu*>("pumToolTray");
  const QPoint trayAt = form.mapToGlobal(QPoint(form.width() - 160, form.height() - 110));
  form.hide();
  tray.popup(trayAt);
  QCoreApplication::processEvents();
  Save(Composite(form, {&tray}), "menu-tray.png");
  tray.close();
  form.show();
  QCoreApplication::processEvents();

  settings.DataMod().ShowButtonCaptions.Set(false);
  settings.DataMod().ShowFileSize.Set(true);
  form.ApplyDisplaySettings();
  form.resize(592, 472);
  QCoreApplication::processEvents();
  Save(GrabCalm(form), "main-design-size.png");

  // The smallest window: long paths and a bad expression's notice, the notice selected, and
  // counts of seven digits in the status bar.
  tree.Write("src/a/rather/long/folder/name/that/does/not/fit/in/the/pane/scanner-notes.txt", "the scanner\n");
  SetCriteria(form, root + "src; " + root + "missing", "*.txt", "scanner");
  form.SearchClick();
  view.selectionModel()->clearSelection();
  const int notice = model.rowCount() - 1;
  view.selectionModel()->select(model.index(notice, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  auto* panels = form.findChild<TStatusPanels*>("StatusBar");
  panels->SetPanelText(1, " 5136000 Files Found");
  panels->SetPanelText(2, " 5136000 Files Matched");
  panels->SetPanelText(3, " 1111690 Matches in Total");
  form.resize(1, 1);
  QCoreApplication::processEvents();
  Save(GrabCalm(form), "main-smallest.png");
  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
  QCoreApplication::processEvents();
  Save(GrabCalm(form), "main-smallest-scrolled.png");

  TMessageForm message("The file could not be opened because another program is using it.\n\nTry again?",
                       TMessageKind::Confirmation, {TMessageButton::Yes, TMessageButton::No, TMessageButton::Cancel},
                       0, &form);
  message.show();
  QCoreApplication::processEvents();
  Save(message.grab(), "message-dialog.png");
  TMessageForm error("Failed to set data for 'SplitterPosition'", TMessageKind::Error, {TMessageButton::OK}, 0, &form);
  error.show();
  QCoreApplication::processEvents();
  Save(error.grab(), "message-error.png");
  error.hide();

  // The filter dialog with a size range, a relative and an absolute date range and two
  // attribute tests; the main window shows its description.
  TDataMod& data = settings.DataMod();
  data.FilterUseSize.Set(true);
  data.FilterMinSize.Set(1024);
  data.FilterMaxSize.Set(50 << 20);
  data.FilterUseModifiedDT.Set(true);
  data.FilterModifiedDTRelativeAmount.Set(2);
  data.FilterModifiedDTRelativeUnits.Set("weeks");
  data.FilterUseCreatedDT.Set(true);
  data.FilterCreatedDTRelative.Set(false);
  data.FilterMinCreatedDT.Set(45292.0);  // 1 January 2024
  data.FilterMaxCreatedDT.Set(45657.0 + 86399.0 / 86400);
  data.FilterUseAttribute.Set(true);
  data.FilterAttributeHidden.Set(2);
  data.FilterAttributeReadOnly.Set(1);
  form.resize(1000, 640);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TFilterForm*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    QCoreApplication::processEvents();
    Save(dialog->grab(), "filter-dialog.png");
    Save(Composite(form, *dialog), "filter-over-main.png");
    // A reversed size range: OK is refused and the reason shows beside it.
    auto* to = dialog->findChild<QLineEdit*>("edToSize");
    const QString kept = to->text();
    to->setText("0");
    QCoreApplication::processEvents();
    Save(dialog->grab(), "filter-dialog-refused.png");
    to->setText(kept);
    dialog->btOkClick();
  });
  form.findChild<QToolButton*>("btFilter")->click();
  Save(GrabCalm(form), "main-filter.png");

  SavePreferencePages(settings.DataMod(), form);

  // A newer version announced by the last check: the extra menu entry, opened.
  settings.DataMod().AvailableVersion.Set("7.1.0.3");
  settings.DataMod().AvailableDownload.Set("https://www.vantrel-software.example/search/download/");
  form.UpdateAvailable().UpdateAvailableMenu();
  QCoreApplication::processEvents();
  QMenu* update = form.UpdateAvailable().UpdateMenu();
  update->popup(form.mapToGlobal(form.menuBar()->actionGeometry(update->menuAction()).bottomLeft()));
  QCoreApplication::processEvents();
  Save(Composite(form, *update), "main-update-available.png");
  update->hide();
  SaveEditor(settings.DataMod(), tree);
  return caught ? 0 : 1;
}
