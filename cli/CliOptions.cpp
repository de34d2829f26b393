#include "cli/CliOptions.h"

#include "cli/FilterOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace cli {
namespace {

using search::TSearchCriteria;

// Context lines are listed from memory: far more than anyone reads, but a bound.
constexpr int kMaxContextLines = 10000;

bool ParseContextLines(const std::string& text, int& value);

bool ParseCount(const std::string& text, int& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0;
}

bool ParseContextLines(const std::string& text, int& value) {
  return ParseCount(text, value) && value <= kMaxContextLines;
}

const std::map<std::string, int> kSortFields = {
    {"path", search::kSortPath},         {"name", search::kSortName},
    {"matches", search::kSortMatches},   {"created", search::kSortCreated},
    {"modified", search::kSortModified}, {"accessed", search::kSortAccessed},
    {"size", search::kSortSize},         {"none", search::kSortNone},
};

const std::map<std::string, search::TMatchButton> kMatchButtons = {
    {"or", search::TMatchButton::Or},
    {"and", search::TMatchButton::And},
    {"and-not", search::TMatchButton::AndNot},
};

// Options that take no value: the flag they set.
std::map<std::string, std::function<void(TCliOptions&)>> Switches() {
  return {
      {"--subdirs", [](TCliOptions& o) { o.Criteria.RecurseSubdirectories = true; }},
      {"--case-sensitive", [](TCliOptions& o) { o.Criteria.CaseSensitive = true; }},
      {"--whole-word", [](TCliOptions& o) { o.Criteria.WholeWordOnly = true; }},
      {"--regex", [](TCliOptions& o) { o.Criteria.RegularExpressions = true; }},
      {"--whole-file", [](TCliOptions& o) { o.Criteria.MatchProximity = true; }},
      {"--no-lines", [](TCliOptions& o) { o.Criteria.ShowMatches = false; }},
      {"--no-minimise", [](TCliOptions& o) { o.Criteria.MinimiseWhitespace = false; }},
      {"--blank-lines", [](TCliOptions& o) { o.Criteria.IncludeBlankLines = true; }},
      {"--descending", [](TCliOptions& o) { o.Criteria.Sort.SortAscending = false; }},
      {"--show-size", [](TCliOptions& o) { o.Display.ShowFileSize = true; }},
      {"--show-created", [](TCliOptions& o) { o.Display.ShowFileCreationDate = true; }},
      {"--show-modified", [](TCliOptions& o) { o.Display.ShowFileModifiedDate = true; }},
      {"--show-accessed", [](TCliOptions& o) { o.Display.ShowFileAccessedDate = true; }},
      {"--status", [](TCliOptions& o) { o.ShowStatus = true; }},
      {"--names", [](TCliOptions& o) { o.NamesOnly = true; }},
      {"--help", [](TCliOptions& o) { o.ShowHelp = true; }},
      {"--filter-description", [](TCliOptions& o) { o.ShowFilterDescription = true; }},
  };
}

// Options that take a value: how they store it; false when the value is not acceptable.
std::map<std::string, std::function<bool(TCliOptions&, const std::string&)>> ValueOptions() {
  return {
      {"--path", [](TCliOptions& o, const std::string& v) { o.Criteria.Path = v; return true; }},
      {"--files", [](TCliOptions& o, const std::string& v) { o.Criteria.Files = v; return true; }},
      {"--exclude-files",
       [](TCliOptions& o, const std::string& v) { o.Criteria.ExcludeFiles = v; return true; }},
      {"--exclude-folders",
       [](TCliOptions& o, const std::string& v) { o.Criteria.ExcludeFolders = v; return true; }},
      {"--string1", [](TCliOptions& o, const std::string& v) { o.Criteria.StringA = v; return true; }},
      {"--string2", [](TCliOptions& o, const std::string& v) { o.Criteria.StringB = v; return true; }},
      {"--match",
       [](TCliOptions& o, const std::string& v) {
         const auto it = kMatchButtons.find(v);
         if (it == kMatchButtons.end()) return false;
         o.Criteria.MatchButton = it->second;
         return true;
       }},
      {"--before",
       [](TCliOptions& o, const std::string& v) {
         return ParseContextLines(v, o.Criteria.NumberOfLinesToShowBeforeMatch);
       }},
      {"--after",
       [](TCliOptions& o, const std::string& v) {
         return ParseContextLines(v, o.Criteria.NumberOfLinesToShowAfterMatch);
       }},
      {"--sort",
       [](TCliOptions& o, const std::string& v) {
         const auto it = kSortFields.find(v);
         if (it == kSortFields.end()) return false;
         o.Criteria.Sort.SortField = it->second;
         return true;
       }},
      {"--threads",
       [](TCliOptions& o, const std::string& v) {
         return ParseCount(v, o.Criteria.ScanThreads) && o.Criteria.ScanThreads >= 1;
       }},
      {"--filter-size", [](TCliOptions& o, const std::string& v) { return ParseSizeFilter(v, o.Criteria.Filter); }},
      {"--filter-created",
       [](TCliOptions& o, const std::string& v) { return ParseDateFilter(v, TDateKind::Created, o.Criteria.Filter); }},
      {"--filter-modified",
       [](TCliOptions& o, const std::string& v) { return ParseDateFilter(v, TDateKind::Modified, o.Criteria.Filter); }},
      {"--filter-accessed",
       [](TCliOptions& o, const std::string& v) { return ParseDateFilter(v, TDateKind::Accessed, o.Criteria.Filter); }},
      {"--filter-attr",
       [](TCliOptions& o, const std::string& v) { return ParseAttributeFilter(v, o.Criteria.Filter); }},
  };
}

const std::map<std::string, std::string> kShortNames = {
    {"-p", "--path"},         {"-f", "--files"},   {"-1", "--string1"},
    {"-2", "--string2"},      {"-m", "--match"},   {"-s", "--subdirs"},
    {"-c", "--case-sensitive"}, {"-w", "--whole-word"}, {"-r", "--regex"},
    {"-B", "--before"},       {"-A", "--after"},   {"-h", "--help"},
    {"-j", "--threads"},
};

}  // namespace

std::optional<TCliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                           std::string& error) {
  TCliOptions options;
  options.Criteria.Files = "*.*";
  options.Criteria.ShowsResultsAsFound = true;
  const auto switches = Switches();
  const auto valueOptions = ValueOptions();
  bool pathGiven = false;

  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> inlineValue;
    if (name.rfind("--", 0) == 0) {
      if (const size_t equals = name.find('='); equals != std::string::npos) {
        inlineValue = name.substr(equals + 1);
        name.resize(equals);
      }
    } else if (const auto shortName = kShortNames.find(name.substr(0, 2)); shortName != kShortNames.end()) {
      // "-j4" is "-j 4" for options that take a value.
      if (name.size() > 2) inlineValue = name.substr(2);
      name = shortName->second;
    }

    if (const auto flag = switches.find(name); flag != switches.end() && !inlineValue) {
      flag->second(options);
      continue;
    }
    const auto option = valueOptions.find(name);
    if (option == valueOptions.end()) {
      error = "unknown option '" + arguments[i] + "' (see --help)";
      return std::nullopt;
    }
    if (!inlineValue && i + 1 >= arguments.size()) {
      error = "option '" + arguments[i] + "' needs a value";
      return std::nullopt;
    }
    const std::string value = inlineValue ? *inlineValue : arguments[++i];
    if (!option->second(options, value)) {
      error = "invalid value '" + value + "' for option '" + name + "'";
      return std::nullopt;
    }
    pathGiven |= name == "--path";
  }
  if (!options.ShowHelp && !options.ShowFilterDescription && (!pathGiven || options.Criteria.Path.empty())) {
    error = "the --path option is required (see --help)";
    return std::nullopt;
  }
  return options;
}

const char* const kCliHelp =
    "Usage: search-cli -p PATHS [options]\n"
    "Searches files for up to two strings and prints the results tree, one row a line.\n"
    "\n"
    "Where to look:\n"
    "  -p, --path TEXT            folders, separated by ';' (required)\n"
    "  -f, --files TEXT           file masks with * and ?, separated by ';' (default *.*)\n"
    "      --exclude-files TEXT   file masks to leave out\n"
    "      --exclude-folders TEXT folder names not to enter\n"
    "  -s, --subdirs              search subfolders too\n"
    "What to find:\n"
    "  -1, --string1 TEXT         the first string\n"
    "  -2, --string2 TEXT         the second string\n"
    "  -m, --match or|and|and-not how the two strings combine (default or)\n"
    "  -c, --case-sensitive       letter case must match\n"
    "  -w, --whole-word           matches must stand as whole words\n"
    "  -r, --regex                the strings are regular expressions\n"
    "      --whole-file           combine the strings across the whole file, not per line\n"
    "What to show:\n"
    "      --no-lines             list matching files without their lines\n"
    "      --no-minimise          keep runs of blanks in the lines shown\n"
    "  -B, --before N             context lines before a match (default 2, at most 10000)\n"
    "  -A, --after N              context lines after a match (default 2, at most 10000)\n"
    "      --blank-lines          let blank lines count as context\n"
    "      --sort path|name|matches|created|modified|accessed|size|none   (default path;\n"
    "                             none keeps the order the files were found in and writes\n"
    "                             each file's rows as soon as they are complete)\n"
    "      --descending           sort in descending order\n"
    "      --show-size, --show-created, --show-modified, --show-accessed\n"
    "      --names                print only the files' names, sorted, each once\n"
    "      --status               print the four status texts on standard error\n"
    "  -j, --threads N            threads reading files (default: the number of cores, and up\n"
    "                             to 8 per core while files come from the disk rather than the\n"
    "                             page cache; at most 8 per core and 64 in all, a larger N\n"
    "                             counts as that many)\n"
    "Which found files to keep:\n"
    "      --filter-size MIN:MAX  size in bytes; either side may be empty for no bound\n"
    "      --filter-created WHEN, --filter-modified WHEN, --filter-accessed WHEN\n"
    "                             WHEN is last:N:UNIT (UNIT minutes, hours, days, weeks, months\n"
    "                             or years) or between:FROM,TO with local date-times written\n"
    "                             YYYY-MM-DDTHH:MM:SS; either side may be empty\n"
    "      --filter-attr LIST     +name (must be set) or -name (must not be set), separated by\n"
    "                             ',': archive, readonly, system, hidden, compressed\n"
    "      --filter-description   print the filter's description and hint, then exit\n"
    "  -h, --help                 show this help\n"
    "\n"
    "Rows written to a pipe or a file show line feeds, tabs, backslashes and other control\n"
    "characters escaped (\\n, \\t, \\\\, \\xHH), so that every row is one line.\n"
    "\n"
    "Exit status: 0 when a file is listed, 1 when none is, 2 when the search could not run or\n"
    "the results could not be written.\n"
    "Ctrl+C cancels: the results so far are printed, then \"*** Search Cancelled ***\".\n";

}  // namespace cli
