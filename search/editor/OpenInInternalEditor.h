#pragma once
// Opens files from the search results in the internal editor: one window for the request,
// shown modally when at least one file was handed over, freed afterwards.

#include <vector>

#include "search/editor/text/MatchedFiles.h"

class QWidget;
class TDataMod;

void OpenInInternalEditor(TDataMod& dataMod, QWidget* owner, const editor::TMatchedSearch& search,
                          const std::vector<editor::TMatchedFile>& files);
