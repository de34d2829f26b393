// Times the internal editor on large files: opening a file until its first page is painted,
// paging through it, jumping to its end, and saving it. Prints one line per step.
// Usage: editor-bench FILE [--open-end | --replace TEXT WITH]
//   --open-end: only open, go to the end and close; --replace: open, replace all and close.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/FindReplaceDialog.h"
#include "search/settings/DataModule.h"

#include "bench/ui/StepTiming.h"

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &release);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor-bench FILE\n");
    return 2;
  }
  QApplication application(argc, argv);
  QTemporaryDir settingsFolder;
  TDataModPlaces places = TDataModPlaces::Default();
  places.registryFolder = settingsFolder.path().toStdString();
  TDataMod settings(places);
  const QString file = QFile::decodeName(argv[1]);
  const QString copy = settingsFolder.filePath("copy");
  QFile::copy(file, copy);

  TEditorForm editor(settings);
  editor.resize(1000, 700);
  editor.ShowError = [](const QString& message) { std::fprintf(stderr, "%s\n", qPrintable(message)); };
  Time("open and paint the first page", [&] {
    editor.OpenMatchedFile(copy, 0, "", "", 0, 0, {}, false, false);
    editor.show();
    QCoreApplication::processEvents();
    editor.repaint();
  });
  TEditControl& control = *editor.CurrentEditor();
  QWidget* text = control.TextWidget();
  if (argc > 2 && QString(argv[2]) == "--open-end") {
    Press(text, Qt::Key_End, Qt::ControlModifier);
    text->repaint();
    return 0;
  }
  if (argc > 4 && QString(argv[2]) == "--replace") {
    editor.Inform = [](const QString&, const QString&) {};
    control.SetCaret(0, 0);
    editor.ReplaceClick();
    TFindReplaceDialog* dialog = editor.ReplaceDialog();
    dialog->findChild<QLineEdit*>("edFindText")->setText(QString::fromLocal8Bit(argv[3]));
    dialog->findChild<QLineEdit*>("edReplaceText")->setText(QString::fromLocal8Bit(argv[4]));
    Time("replace all, painted", [&] {
      dialog->findChild<QPushButton*>("btReplaceAll")->click();
      text->repaint();
    });
    std::printf("  %s\n", qPrintable(editor.StatusText(0).trimmed()));
    Time("undo the replace all, painted", [&] {
      control.Undo();
      text->repaint();
    });
    control.SetModified(false);
    return 0;
  }
  std::printf("  (%d lines)\n", control.LineCount());
  const double pages = Time("page down 200 times, each painted", [&] {
    for (int i = 0; i < 200; ++i) {
      Press(text, Qt::Key_PageDown);
      text->repaint();
    }
  });
  std::printf("  %-44s %9.2f ms\n", "one page down", pages / 200);
  Time("jump to the end (Ctrl+End), painted", [&] {
    Press(text, Qt::Key_End, Qt::ControlModifier);
    text->repaint();
  });
  Time("go to the middle line, centred", [&] {
    editor.GoToLineCentred(1, control.LineCount() / 2);
    text->repaint();
  });
  Time("type a character, painted", [&] {
    Press(text, Qt::Key_A);
    text->repaint();
  });
  Time("save", [&] { editor.SaveFile(*editor.CurrentFile()); });
  editor.CurrentEditor()->SetModified(false);
  return 0;
}
