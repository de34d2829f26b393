#include "platform/shell/CommandLineWords.h"

namespace platform::shell {

std::vector<std::string> SplitCommandLine(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && static_cast<unsigned char>(c) <= 32) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    word += c;
    inWord = true;
  }
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace platform::shell
