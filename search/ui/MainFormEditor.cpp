// The main window's command that opens the selected results in the internal editor.

#include <QCheckBox>
#include <QItemSelectionModel>

#include "search/editor/OpenInInternalEditor.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"

void TMainForm::OpenInInternalEditor() {
  const QItemSelectionModel* selection = vstResults_->selectionModel();
  if (selection == nullptr) return;
  const auto selected = [this, selection](size_t row, int64_t line) {
    const QModelIndex file = model_->index(static_cast<int>(row), 0);
    if (!file.isValid()) return false;
    if (line < 0) return selection->isSelected(file);
    const QModelIndex lineIndex = model_->index(static_cast<int>(line), 0, file);
    return lineIndex.isValid() && selection->isSelected(lineIndex);
  };
  const std::vector<editor::TMatchedFile> files = editor::CollectMatchedFiles(state_.Results, selected);
  editor::TMatchedSearch search;
  search.StringA = EngineString(cbStringA_->currentText());
  search.StringB = EngineString(cbStringB_->currentText());
  search.MatchType = static_cast<uint8_t>(GetMatchType());
  search.MatchProximity = dataMod_.MatchProximity.Value();
  search.CaseSensitive = ckCaseSensitive_->isChecked();
  search.WholeWord = ckWholeWord_->isChecked();
  ::OpenInInternalEditor(dataMod_, this, search, files);
}
