#include "platform/shell/ProgramCall.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/shell/CommandLineWords.h"

namespace platform::shell {
namespace {

std::string Replaced(const std::string& word, const std::string& path, const std::string& line) {
  std::string result;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '%' && i + 1 < word.size()) {
      const char code = word[i + 1];
      if (code == 'F' || code == 'f') {
        result += path;
        ++i;
        continue;
      }
      if (code == 'L' || code == 'l') {
        result += line;
        ++i;
        continue;
      }
    }
    result += word[i];
  }
  return result;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

TProgramCall SpecifiedEditorCall(const std::string& editor, const std::string& argumentTemplate,
                                 const std::string& path, int64_t line) {
  TProgramCall call;
  std::vector<std::string> editorWords = SplitCommandLine(editor);
  if (!editorWords.empty()) {
    call.Program = editorWords.front();
    call.Arguments.assign(editorWords.begin() + 1, editorWords.end());
  }
  std::vector<std::string> templateWords = SplitCommandLine(argumentTemplate);
  if (templateWords.empty()) templateWords = {"%F"};
  const std::string lineText = std::to_string(line);
  for (const std::string& word : templateWords) call.Arguments.push_back(Replaced(word, path, lineText));
  return call;
}

std::string ResolveProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
  const char* pathVariable = std::getenv("PATH");
  const std::string folders = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    // An empty entry stands for the current folder.
    std::string candidate = end > start ? folders.substr(start, end - start) + '/' : std::string("./");
    candidate += program;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace platform::shell
