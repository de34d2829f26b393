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
inline constexpr const char* kExitButtonCaption = "Exit";

// One action of the window: component name, caption, hint, image name and shortcut.
struct TActionText {
  const char* name;
  const char* caption;
  const char* hint;
  const char* image;
  const char* shortcut;
};

// Every action of the window; "%s" stands for the product name.
inline constexpr TActionText kActions[] = {
    {"acCopySelectedFileNamesToClipboard", "Selected Filen&ames", "Copy selected filenames to the clipboard",
     "COPYSELECTEDFilenames", ""},
    {"acCopyAllFileNamesToClipboard", "All File&names", "Copy all filenames to the clipboard", "COPYAllFileNames", ""},
    {"acCopySelectedFileContentsToClipboard", "Selected F&iles", "Copy selected files to the clipboard",
     "COPYSELECTEDFiles", ""},
    {"acCopyAllFileContentsToClipboard", "All &Files", "Copy all files to the clipboard", "COPYAllFiles", ""},
    {"acCopySelectedLinesToClipboard", "Selected Matched En&tries", "Copy selected search results to the clipboard",
     "COPYSELECTEDLINES", ""},
    {"acCopyAllLinesToClipboard", "All Matched &Entries", "Copy all search results to the clipboard", "COPYALLLINES",
     ""},
    {"acSaveSelectedFileNamesToFile", "Selected Filen&ames", "Save selected filenames to the file",
     "SaveSelectedFilenamesToFile", ""},
    {"acSaveAllFileNamesToFile", "All File&names", "Save all filenames to file", "SaveFilenamesToFile", ""},
    {"acSaveSelectedLinesToFile", "Selected En&tries", "Save selected search results to the File",
     "SaveSelectedLinesToFile", ""},
    {"acSaveAllLinesToFile", "All &Entries", "Save all search results to the File", "SaveAllLinesToFile", ""},
    {"acSortOnFilePath", "Full File &Path", "Sort on full file path", "", ""},
    {"acSortOnFileName", "File &Name", "Sort on file name", "", ""},
    {"acSortOnNumMatches", "Number of &Matches", "Sort on number of matches", "", ""},
    {"acSortOnFileSize", "File &Size", "Sort on file size", "", ""},
    {"acSortOnFileCreationDate", "File &Creation Date", "Sort on file creation date", "", ""},
    {"acSortOnFileModifiedDate", "File M&odified Date", "Sort on file modified date", "", ""},
    {"acSortOnFileAccessedDate", "File &Last Accessed Date", "Sort on file last accessed date", "", ""},
    {"acSortAscending", "Sort &Ascending", "Sort into ascending order", "SortAscending", ""},
    {"acSortDescending", "Sort &Descending", "Sort into descending order", "SortDescending", ""},
    {"acExpandAll", "&Expand All", "", "ExpandAll", ""},
    {"acCollapseAll", "Co&llapse All", "", "CollapseAll", ""},
    {"acOpenWith", "&Open With", "Open with selected application", "", ""},
    {"acQuickView", "&QuickView...", "Show the selected files in QuickView", "QUICKVIEW", ""},
    {"acProperties", "&Properties...", "Show the properties dialog for the selected files", "PROPERTY", ""},
    {"acPreferences", "&Preferences...", "Configuration options", "PREFERENCES", ""},
    {"acHideForm", "H&ide", "Minimise Search to the tool tray", "HIDE", ""},
    {"acShowForm", "&Show Form", "Restore Search", "SHOW", ""},
    {"acExit", "E&xit", "Close Search", "EXIT", ""},
    {"acHelp", "&Help", "Show the help", "HELPCHM", "F1"},
    {"acGoToHomePage", "&%s home page", "Show %s home page", "HOMEPAGE", ""},
    {"acGoToVantrelSoftwareWebsite", "Vantrel Software &web site", "Show Vantrel Software web site",
     "VantrelSoftwareWebSite", ""},
    {"acAbout", "&About %s...", "About %s", "About", ""},
};

// The sort-field actions in the order of their SortField values 0 to 6.
inline constexpr const char* kSortFieldActions[] = {
    "acSortOnFilePath",         "acSortOnFileName",         "acSortOnNumMatches", "acSortOnFileCreationDate",
    "acSortOnFileModifiedDate", "acSortOnFileAccessedDate", "acSortOnFileSize"};

inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kActionsMenu = "A&ctions";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kUpdateAvailableMenu = "&Update Available";
inline constexpr const char* kDownloadPage = "&Download Page";
inline constexpr const char* kCopyToClipboardMenu = "&Copy to Clipboard";
inline constexpr const char* kCopyToClipboardHint = "Copy search results to the clipboard";
inline constexpr const char* kSaveToFileMenu = "Save to &File";
inline constexpr const char* kSortMenu = "&Sort";
inline constexpr const char* kShowFormHint = "Show Search";

inline constexpr const char* kSaveTitle = "Save to File";
inline constexpr const char* kSaveFilter = "Text Files (*.txt)";
inline constexpr const char* kCannotCreateFile = "Cannot create file \"%1\". %2";
inline constexpr const char* kAboutTitle = "About ";

inline constexpr const char* kInternalEditor = "Internal Editor";
inline constexpr const char* kInternalEditorHint = "Open in Internal Editor";
inline constexpr const char* kOpenWithHint = "Open with %1";
inline constexpr const char* kUnableToStart = "Unable to start %1\n%2";

inline constexpr const char* kBrowseTitle = "Select the folder to search";

}  // namespace texts
