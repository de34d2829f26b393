// Benchmark driver for the expression engine: counts the matching lines of every file under a
// folder, the way the file scanner will: the required literal is looked for in the whole file
// buffer first, and only lines holding it are matched.
// Usage: regexpr-bench [-i] EXPRESSION FOLDER
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "search/engine/regex/LiteralFinder.h"
#include "search/engine/regex/RegExpr.h"

using namespace search;

namespace {

// Reads the whole file with plain read calls into storage kept between files.
bool ReadFile(const std::filesystem::path& path, std::vector<char>& storage,
              std::string_view& content) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t length = 0;
  for (;;) {
    if (storage.size() - length < 65536) storage.resize(std::max<std::size_t>(storage.size() * 2, 1 << 20));
    const ssize_t got = ::read(fd, storage.data() + length, storage.size() - length);
    if (got <= 0) {
      ::close(fd);
      if (got < 0) return false;
      break;
    }
    length += static_cast<std::size_t>(got);
  }
  content = std::string_view(storage.data(), length);
  return true;
}

// The line around `at`: from after the previous LF to before the next LF, without a CR at its
// end. `next` becomes the start of the following line.
std::string_view LineAround(std::string_view buffer, std::size_t at, std::size_t& next) {
  std::size_t start = at;
  while (start > 0 && buffer[start - 1] != '\n') --start;
  const void* lf = std::memchr(buffer.data() + at, '\n', buffer.size() - at);
  const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - buffer.data())
                             : buffer.size();
  next = end + 1;
  std::string_view line = buffer.substr(start, end - start);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

long long CountMatchingLines(const TRegExpr& regex, const TLiteralFinder& finder,
                             std::string_view buffer) {
  long long count = 0;
  std::size_t position = 0;
  while (position < buffer.size()) {
    const std::size_t hit = finder.Find(buffer, position);
    if (hit == TLiteralFinder::npos) break;
    std::size_t next = 0;
    const std::string_view line = LineAround(buffer, hit, next);
    if (!line.empty() && regex.Exec(line)) ++count;
    position = next;
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  bool ignoreCase = false;
  if (arg < argc && std::string_view(argv[arg]) == "-i") {
    ignoreCase = true;
    ++arg;
  }
  if (argc - arg != 2) {
    std::cerr << "usage: regexpr-bench [-i] EXPRESSION FOLDER\n";
    return 2;
  }
  TRegExpr regex;
  regex.ModifierR = false;
  regex.ModifierI = ignoreCase;
  regex.SetExpression(argv[arg]);
  if (!regex.Compile()) {
    std::cerr << RegExprCompileErrorText(regex.LastErrorCode(), regex.CompilePosition()) << "\n";
    return 2;
  }
  // An empty literal is found at every position, so every line is matched.
  const TLiteralFinder finder(regex.RequiredLiteral(), regex.RequiredLiteralIgnoresCase());
  std::cerr << "required literal: \"" << regex.RequiredLiteral() << "\""
            << (regex.RequiredLiteralIgnoresCase() ? " ignoring case" : "") << "\n";

  long long lines = 0, errors = 0;
  std::vector<char> storage;
  std::string_view buffer;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(argv[arg + 1], error), end;
       it != end; it.increment(error)) {
    if (error || !it->is_regular_file(error) || it->is_symlink(error)) continue;
    if (!ReadFile(it->path(), storage, buffer)) continue;
    try {
      lines += CountMatchingLines(regex, finder, buffer);
    } catch (const TRegExprError& failure) {
      ++errors;
      std::cerr << "*** Error reading " << it->path().string() << ": " << failure.what() << " ***\n";
    }
  }
  std::cout << lines << "\n";
  return errors == 0 ? 0 : 1;
}
