// Times the results view over a large tree: showing it, scrolling through it, expanding and
// collapsing every node, and clearing it for a new search. Prints one line per step.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "search/engine/results/ResultTree.h"
#include "search/settings/DataModule.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"

#include "bench/ui/StepTiming.h"

namespace {

search::TResultNode& AddFile(search::TResultTree& tree, int f, int linesPerFile) {
  auto& node = tree.AddFileNode(std::make_unique<search::TTreeViewFile>(
      "/home/user/projects/source/module" + std::to_string(f % 97) + "/file" + std::to_string(f) + ".cpp", 4096,
      45000.5, 45001.5, 45002.5, linesPerFile / 2));
  node.Lines.reserve(static_cast<size_t>(linesPerFile));
  for (int l = 0; l < linesPerFile; ++l) {
    search::TResultTree::AddLineNode(node, "    result = compute(value_" + std::to_string(l) + ", options);",
                                     l % 2 == 0, l + 1);
  }
  return node;
}

void Fill(search::TResultTree& tree, int files, int linesPerFile) {
  for (int f = 0; f < files; ++f) AddFile(tree, f, linesPerFile);
}

// A shown view over a model of its own.
struct TBenchView {
  search::TResultTree tree;
  TResultsModel model;
  TResultsView view;

  explicit TBenchView(TDataMod& settings) : model(tree, settings) {
    view.SetResultsModel(&model);
    view.resize(900, 700);
    view.show();
    QCoreApplication::processEvents();
  }
};

void Run(int files, int linesPerFile, TDataMod& settings) {
  std::printf("%d files x %d lines = %d line nodes\n", files, linesPerFile, files * linesPerFile);
  TBenchView bench(settings);
  search::TResultTree& tree = bench.tree;
  TResultsModel& model = bench.model;
  TResultsView& view = bench.view;

  Time("build the tree (engine side)", [&] { Fill(tree, files, linesPerFile); });
  Time("announce the rows and paint", [&] {
    model.BeginUpdate();
    model.EndUpdate();
    view.repaint();
  });
  const auto expandAll = [&] {
    view.ExpandAll();
    view.repaint();
  };
  Time("expand all and paint", expandAll);
  Time("scroll: 200 pages down, painting each", [&] {
    QScrollBar* bar = view.verticalScrollBar();
    for (int i = 0; i < 200; ++i) {
      bar->setValue(bar->value() + bar->pageStep() * 25);
      view.viewport()->repaint();
    }
  });
  Time("scroll: to the end and back, painting", [&] {
    view.scrollToBottom();
    view.viewport()->repaint();
    view.scrollToTop();
    view.viewport()->repaint();
  });
  Time("collapse all and paint", [&] {
    view.CollapseAll();
    view.repaint();
  });
  Time("expand all again", expandAll);
  Time("clear for a new search (free nodes, reset)", [&] {
    tree.Clear();
    model.Cleared();
    view.repaint();
  });
}

// A search that shows its results as found: each file's rows are announced as it completes,
// opened at once, and the window repaints every 25 ms.
void RunArriving(int files, int linesPerFile, TDataMod& settings) {
  std::printf("%d files x %d lines arriving one file at a time, expanded, repainting every 25 ms\n", files,
              linesPerFile);
  TBenchView bench(settings);
  search::TResultTree& tree = bench.tree;
  TResultsModel& model = bench.model;
  TResultsView& view = bench.view;
  double slowest = 0;
  Time("all rows arrive", [&] {
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    for (int f = 0; f < files; ++f) {
      model.BeginUpdate();
      AddFile(tree, f, linesPerFile).Expanded = true;
      model.EndUpdate();
      if (sinceRepaint.elapsed() >= 25) {
        QElapsedTimer paint;
        paint.start();
        view.scrollToBottom();
        QCoreApplication::processEvents();
        view.viewport()->repaint();
        slowest = std::max(slowest, static_cast<double>(paint.nsecsElapsed()) / 1e6);
        sinceRepaint.restart();
      }
    }
    model.Flush();
    view.repaint();
  });
  std::printf("  %-44s %9d\n", "rows shown at the end", model.rowCount());
  std::printf("  %-44s %9.1f ms\n", "slowest repaint while rows arrive", slowest);
  Time("clear for a new search (free nodes, reset)", [&] {
    tree.Clear();
    model.Cleared();
    view.repaint();
  });
}

// The whole window searching a folder whose every line matches: the tree it fills, and the
// next search clearing it.
void RunWindowSearch(int files, int linesPerFile, TDataMod& settings) {
  std::printf("the window searching %d files x %d matching lines\n", files, linesPerFile);
  QTemporaryDir folder;
  std::string content;
  for (int l = 0; l < linesPerFile; ++l) content += "    result = compute(value_" + std::to_string(l) + ");\n";
  for (int f = 0; f < files; ++f) {
    QFile file(folder.filePath(QString("file%1.cpp").arg(f)));
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(content.data(), static_cast<qint64>(content.size()));
  }
  TMainForm form(settings);
  form.resize(1000, 700);
  form.show();
  form.findChild<QComboBox*>("cbPath")->setEditText(folder.path());
  form.findChild<QComboBox*>("cbFiles")->setEditText("*.cpp");
  form.findChild<QComboBox*>("cbStringA")->setEditText("value");
  QCoreApplication::processEvents();
  Time("first search, tree filled and shown", [&] { form.SearchClick(); });
  size_t lines = 0;
  for (const auto& node : form.State().Results.TopLevel()) lines += node->Lines.size();
  std::printf("  %-44s %9zu\n", "file nodes", form.State().Results.Count());
  std::printf("  %-44s %9zu\n", "line nodes", lines);
  Time("expand all", [&] { form.Results().ExpandAll(); });
  Time("collapse all", [&] { form.Results().CollapseAll(); });
  Time("the same search again (clears the tree)", [&] { form.SearchClick(); });
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir registry;
  qputenv("VANTREL_REGISTRY_DIR", registry.path().toLocal8Bit());
  QApplication application(argc, argv);
  TDataMod settings;
  Run(1000, 1000, settings);
  Run(10, 100000, settings);
  Run(100000, 10, settings);
  RunArriving(10000, 100, settings);
  RunArriving(100000, 10, settings);
  RunWindowSearch(200, 5000, settings);
  settings.ShowsResultsAsFound.Set(true);
  std::printf("(results shown as found)\n");
  RunWindowSearch(200, 5000, settings);
  return 0;
}
