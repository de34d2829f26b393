#pragma once
// Every text the preferences dialog shows.

namespace configuration_texts {

inline constexpr const char* kCaption = "Search Preferences";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";

inline constexpr const char* kOptionsPage = "&Options";
inline constexpr const char* kUseToolTray = "Minimise to the &tool tray";
inline constexpr const char* kShowButtonCaptions = "Show tool &button captions";
inline constexpr const char* kShowStatusBar = "Show &status bar";
// The design names the Windows Explorer; here the entry goes into the file managers' folder menus.
inline constexpr const char* kRegisterShell = "Integrate with file manager &context menus";
inline constexpr const char* kAutoExpand = "Expand results to show &matched lines";
inline constexpr const char* kShowHints = "Show &hints";
inline constexpr const char* kRegularExpressions = "Show &regular expression option";
inline constexpr const char* kAutoComplete = "Use &auto-complete on Search form";
inline constexpr const char* kShowResultsAsFound = "Show results as they are &found";

inline constexpr const char* kColoursPage = "&Colours and Font";
inline constexpr const char* kFont = "Font";
inline constexpr const char* kFontButton = "...";
inline constexpr const char* kForeground = "Foreground";
inline constexpr const char* kBackground = "Background";
inline constexpr const char* kOn = "on";
inline constexpr const char* kMatchedFilenames = "Matched &Filenames";
inline constexpr const char* kMatchedLines = "Matched &Lines";
inline constexpr const char* kOtherLines = "Other Lines";
inline constexpr const char* kErrorMessages = "Error &Messages";
// "%1, %2" with the font name and size, then the styles present.
inline constexpr const char* kFontDescription = "%1, %2";
inline constexpr const char* kBold = ", bold";
inline constexpr const char* kItalic = ", italic";
inline constexpr const char* kUnderline = ", underline";
inline constexpr const char* kStrikeOut = ", strike-out";

inline constexpr const char* kEditorPage = "&Editor";
inline constexpr const char* kShowsTheseOptions = "Shows these options:";
inline constexpr const char* kDefault = "Default";
inline constexpr const char* kUseInternalEditor = "Open files with the &internal editor";
inline constexpr const char* kConfigureEditor = "Co&nfigure Editor...";
inline constexpr const char* kAssociatedApplication = "Open files with the a&ssociated application";
inline constexpr const char* kSpecifiedEditor = "Open files with this &application:";
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kExternalEditorArguments = "&Using these arguments:";
inline constexpr const char* kSelectApplication = "Select Application";
// Linux programs carry no ".exe": every file is offered.
inline constexpr const char* kApplicationFilter = "All files (*)";

inline constexpr const char* kFileInfoPage = "File Info";
inline constexpr const char* kShowFileSize = "Show file &size";
inline constexpr const char* kShowFileCreationDate = "Show file c&reation date";
inline constexpr const char* kShowFileModifiedDate = "Show file &modified date";
inline constexpr const char* kShowFileAccessedDate = "Show file last &access date";
inline constexpr const char* kAdditionalLines = "When showing matched lines, show this number of additional lines:";
inline constexpr const char* kBeforeMatch = "&before the matched line";
inline constexpr const char* kAfterMatch = "after the matched line";
inline constexpr const char* kIncludeBlankLines = "&Include blank lines";

inline constexpr const char* kUpdatePage = "Update";
inline constexpr const char* kCheckForNewer = "Check for newer versions of this program:";
inline constexpr const char* kMonthly = "&Monthly";
inline constexpr const char* kNever = "&Never";

}  // namespace configuration_texts
