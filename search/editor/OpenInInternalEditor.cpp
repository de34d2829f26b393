#include "search/editor/OpenInInternalEditor.h"

#include "search/editor/EditorForm.h"
#include <QFile>

void OpenInInternalEditor(TDataMod& dataMod, QWidget* owner, const editor::TMatchedSearch& search,
                          const std::vector<editor::TMatchedFile>& files) {
  if (files.empty()) return;
  TEditorForm form(dataMod, owner);
  for (const editor::TMatchedFile& file : files) {
    form.OpenMatchedFile(QFile::decodeName(QByteArray::fromStdString(file.FileName)), file.Line, search.StringA, search.StringB, search.MatchType,
                         search.MatchProximity, file.MatchedLines, search.CaseSensitive, search.WholeWord);
  }
  form.exec();
}
