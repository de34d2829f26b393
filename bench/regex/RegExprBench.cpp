// Benchmark driver for the expression engine: counts the matching lines of every file under a
// folder, the way the file scanner will: the required literal is looked for in the whole file
// buffer first, and only lines holding it are matched.
// Usage: regexpr-bench [-i] [-c] EXPRESSION FOLDER
//   -i  ignore letter case; -c  also print "path:count" for each file with matching lines
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "search/engine/matching/LiteralSearch.h"
#include "search/engine/regex/RegExpr.h"

using namespace search;

namespace {

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

long long CountMatchingLines(const TRegExpr& regex, const TLiteralSearch& finder,
                             std::string_view buffer) {
  long long count = 0;
  std::size_t position = 0;
  while (position < buffer.size()) {
    // Without a required literal every line is a candidate.
    const std::size_t hit = finder.Empty() ? position : finder.Find(buffer, position);
    if (hit == std::string_view::npos) break;
    std::size_t next = 0;
    const std::string_view line = LineAround(buffer, hit, next);
    if (!line.empty() && regex.Exec(line)) ++count;
    position = next;
  }
  return count;
}

// Reads the file through a small buffer kept between files, the way a searcher does: each
// read's complete lines are matched, an unfinished last line waits for the next read.
long long CountInFile(const std::filesystem::path& path, const TRegExpr& regex,
                      const TLiteralSearch& finder, std::vector<char>& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  long long count = 0;
  std::size_t have = 0;
  for (;;) {
    if (have == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than the buffer
    const ssize_t got = ::read(fd, buffer.data() + have, buffer.size() - have);
    if (got <= 0) {
      count += CountMatchingLines(regex, finder, std::string_view(buffer.data(), have));
      break;
    }
    have += static_cast<std::size_t>(got);
    const void* lastLf = ::memrchr(buffer.data(), '\n', have);
    if (lastLf == nullptr) continue;
    const auto complete = static_cast<std::size_t>(static_cast<const char*>(lastLf) - buffer.data()) + 1;
    count += CountMatchingLines(regex, finder, std::string_view(buffer.data(), complete));
    std::memmove(buffer.data(), buffer.data() + complete, have - complete);
    have -= complete;
  }
  ::close(fd);
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  bool ignoreCase = false;
  bool perFile = false;
  for (; arg < argc && argv[arg][0] == '-' && argv[arg][1] != '\0' && argv[arg][2] == '\0'; ++arg) {
    if (argv[arg][1] == 'i') ignoreCase = true;
    else if (argv[arg][1] == 'c') perFile = true;
    else break;
  }
  if (argc - arg != 2) {
    std::cerr << "usage: regexpr-bench [-i] [-c] EXPRESSION FOLDER\n";
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
  const TLiteralSearch finder(regex.RequiredLiteral(), regex.RequiredLiteralIgnoresCase());
  std::cerr << "required literal: \"" << regex.RequiredLiteral() << "\""
            << (regex.RequiredLiteralIgnoresCase() ? " ignoring case" : "") << "\n";

  long long lines = 0, errors = 0;
  std::vector<char> buffer(1 << 16);
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(argv[arg + 1], error), end;
       it != end; it.increment(error)) {
    if (error || !it->is_regular_file(error) || it->is_symlink(error)) continue;
    try {
      const long long count = CountInFile(it->path(), regex, finder, buffer);
      if (perFile && count > 0) std::cout << it->path().string() << ":" << count << "\n";
      lines += count;
    } catch (const TRegExprError& failure) {
      ++errors;
      std::cerr << "*** Error reading " << it->path().string() << ": " << failure.what() << " ***\n";
    }
  }
  std::cout << lines << "\n";
  return errors == 0 ? 0 : 1;
}
