#include "search/engine/FileScanner.h"

namespace search {

void TFileScanner::SearchFiles(const TFileList&) {
  context_.AddErrorNode("*** Searching file contents is not available in this build ***");
}

}  // namespace search
