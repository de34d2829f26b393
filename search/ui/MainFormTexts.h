#pragma once
// Every caption and hint of the main window, in one place.

namespace texts {

inline constexpr const char* kPathCaption = "&Path";
inline constexpr const char* kPathHint =
    "The file path(s) to search. Separate multiple paths with a semi-colon character \";\".";
inline constexpr const char* kFilesCaption = "Fi&les";
inline constexpr const char* kFilesHint =
    "The file(s) to search for. Can contain wildcard characters * and ?. Separate multiple file masks with a "
    "semi-colon character \";\".";
inline constexpr const char* kExcludeFoldersCaption = "&Ex Folder";
inline constexpr const char* kExcludeFoldersHint = "The folder(s) to exclude from the search";
inline constexpr const char* kExcludeFilesCaption = "E&x File";
inline constexpr const char* kExcludeFilesHint = "The file(s) to exclude from the search";
inline constexpr const char* kFilterCaption = "Filter";
inline constexpr const char* kFilterHint = "Configure the advanced file filter";
inline constexpr const char* kClearFilterHint = "Clear the file filter";
inline constexpr const char* kBrowseHint = "Browse for a folder.";

inline constexpr const char* kStringACaption = "String &1";
inline constexpr const char* kStringAHint = "The first, or only, string to search for.";
inline constexpr const char* kStringBCaption = "String &2";
inline constexpr const char* kStringBHint = "The second string to search for.";
inline constexpr const char* kRegExCaption = "RegE&x";
inline constexpr const char* kRegExHint = "Search strings are regular expressions.";
inline constexpr const char* kOrCaption = "&Or";
inline constexpr const char* kOrHint = "Search for string 1 OR string 2.";
inline constexpr const char* kAndCaption = "&And";
inline constexpr const char* kAndHint = "Search for string 1 AND string 2.";
inline constexpr const char* kAndNotCaption = "And &Not";
inline constexpr const char* kAndNotHint = "Search for string 1 AND NOT string 2.";

inline constexpr const char* kCaseSensitiveCaption = "Case sensiti&ve";
inline constexpr const char* kCaseSensitiveHint = "Whether searches should be case-sensitive.";
inline constexpr const char* kSubdirectoriesCaption = "&Include subdirectories";
inline constexpr const char* kSubdirectoriesHint = "Whether to search through any subdirectories.";
inline constexpr const char* kShowMatchesCaption = "Show &matched lines";
inline constexpr const char* kShowMatchesHint = "Whether to show the lines from the files that match.";
inline constexpr const char* kMinimiseCaption = "Minimise &whitespace";
inline constexpr const char* kMinimiseHint =
    "Whether the matched lines should be compacted by removing consecutive white space.";
inline constexpr const char* kWholeWordCaption = "Whole word onl&y";
inline constexpr const char* kWholeWordHint = "Whether the matches should be whole word only.";
inline constexpr const char* kSearchResultsCaption = "Search within matche&d files";
inline constexpr const char* kSearchResultsHint =
    "Whether to search all files on the path, or only within the matches from a previous search.";
inline constexpr const char* kProximityCaption = "Or / And / And Not ac&ross whole file";
inline constexpr const char* kProximityHint =
    "Whether the And / And Not combinations apply across the whole file, or across individual lines.";

inline constexpr const char* kSearchCaption = "&Search";
inline constexpr const char* kSearchHint = "Search file(s) for string(s).";
inline constexpr const char* kHistoryCaption = "His&tory";
inline constexpr const char* kHistoryHint = "Show results of previous searches.";
inline constexpr const char* kOpenCaption = "Op&en...";
inline constexpr const char* kOpenHint = "Open selected file(s).";
inline constexpr const char* kHideCaption = "&Hide";
inline constexpr const char* kHideHint = "Hide the window in the notification area.";
inline constexpr const char* kExitCaption = "Exit";
inline constexpr const char* kExitHint = "Exit the program.";
inline constexpr const char* kExpandAllCaption = "E&xpand All";
inline constexpr const char* kCollapseAllCaption = "&Collapse All";

inline constexpr const char* kBrowseTitle = "Select the folder to search";

}  // namespace texts
