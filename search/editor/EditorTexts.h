#pragma once
// Every caption, hint and message of the editor window and its dialogs, in one place.

namespace editor_texts {

// One action of the editor window: component name, caption, hint, shortcut, glyph name and
// whether it is enabled before the first state update.
struct TActionText {
  const char* name;
  const char* caption;
  const char* hint;
  const char* shortcut;
  const char* glyph;
  bool startEnabled;
};

inline constexpr TActionText kActions[] = {
    {"acNew", "&New", "New", "", "NEWFile", true},
    {"acOpen", "&Open...", "Open a file", "", "OPENFile", true},
    {"acClose", "&Close", "Close", "", "CloseFile", false},
    {"acSave", "&Save", "Save", "Ctrl+S", "SAVEFile", false},
    {"acSaveAs", "Save &As...", "Save As", "", "SAVEFileAS", false},
    {"acSaveAll", "Save All", "Save All", "Ctrl+Shift+S", "SAVEALLfiles", false},
    {"acPreferences", "&Preferences...", "Change editor preferences", "", "PREFERENCES", true},
    {"acExit", "E&xit", "Exit", "", "EXIT", true},
    {"acUnDo", "&Undo", "Undo", "Ctrl+Z", "UnDo", false},
    {"acCut", "Cu&t", "Cut", "Ctrl+X", "Cut", false},
    {"acCopy", "&Copy", "Copy", "Ctrl+C", "copytoclipboard", false},
    {"acPaste", "&Paste", "Paste", "Ctrl+V", "Paste", false},
    {"acDelete", "&Delete", "Delete", "Ctrl+Del", "Delete", false},
    {"acSelectAll", "Select A&ll", "Select all", "Ctrl+A", "", false},
    {"acFind", "&Find...", "Find", "Ctrl+F", "Find", false},
    {"acFindAgain", "Find &Again", "Find again", "F3", "FindAgain", false},
    {"acReplace", "&Replace...", "Replace", "Ctrl+R", "Replace", false},
    {"acGotoLine", "Go to Line", "Go to line", "Ctrl+G", "GotoLine", false},
    {"acPreviousLine", "Go to &Previous Matched Line", "Go to previous matched line", "", "Previous", false},
    {"acNextLine", "Go to &Next Matched Line", "Go to next matched line", "", "Next", false},
    {"acShowMatchedWords", "Highlight Matched &Strings", "Highlight matched strings", "", "HighLightWords", false},
    {"acShowMatchedLines", "Highlight Matched &Lines", "Highlight matched lines", "", "HighLightLines", false},
    {"acHelp", "&Help", "Help", "F1", "HELPCHM", true},
};

// The bookmark actions: names "acSetBookmark0".."9" and "acGotoBookMark0", "acGotoBookmark1".."9".
inline constexpr const char* kSetBookmarkName = "acSetBookmark";
inline constexpr const char* kGotoBookmarkFirstName = "acGotoBookMark0";
inline constexpr const char* kGotoBookmarkName = "acGotoBookmark";
inline constexpr const char* kBookmarkCaption = "&%1.";
inline constexpr const char* kSetBookmarkHint = "Set bookmark %1";
inline constexpr const char* kGotoBookmarkHint = "Go to bookmark %1";
inline constexpr const char* kSetBookmarkShortcut = "Ctrl+Shift+%1";
inline constexpr const char* kGotoBookmarkShortcut = "Ctrl+%1";

inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kEditMenu = "&Edit";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kBookmarksMenu = "&Bookmarks";
inline constexpr const char* kBookmarksHint = "Toggle or go to bookmarks";
inline constexpr const char* kToggleMenu = "&Toggle";
inline constexpr const char* kToggleHint = "Toggle bookmarks on/off";
inline constexpr const char* kGoToMenu = "&Go To";
inline constexpr const char* kGoToHint = "Go to a bookmark";

inline constexpr const char* kCaptionSuffix = " Editor";
inline constexpr const char* kUntitled = "<untitled>";
inline constexpr const char* kCaretPosition = "%1 : %2";
inline constexpr const char* kReadOnly = "Read Only";
inline constexpr const char* kInsert = "Insert";
inline constexpr const char* kOverwrite = "Overwrite";
inline constexpr const char* kRecording = "Recording";
inline constexpr const char* kCaps = "CAPS";
inline constexpr const char* kNum = "NUM";
inline constexpr const char* kScroll = "SCROLL";

// Every file, those without a dot in their name too.
inline constexpr const char* kFileFilter = "All Files (*)";
inline constexpr const char* kFileNotFound = "File not found - \"%1\"";
inline constexpr const char* kHasChanged = "%1 has changed.\nSave before %2?";
inline constexpr const char* kClosing = "closing";
inline constexpr const char* kExiting = "exiting";
inline constexpr const char* kChangedOutside = "%1 has been changed outside the editor.\nDo you want to reload it?";
inline constexpr const char* kChangedOutsideWarning =
    "%1 has been changed outside the editor.\nDo you want to reload it?\n\nWarning: you will lose your changes if "
    "you answer \"yes\", but you may lose other changes if you answer \"no\"!";

inline constexpr const char* kNextMatchedLineHint = "Go to next matched line (line %1)";
inline constexpr const char* kPreviousMatchedLineHint = "Go to previous matched line (line %1)";

}  // namespace editor_texts

namespace editor_texts {

inline constexpr const char* kGoToLineCaption = "Go To Line";
inline constexpr const char* kLineNumberLabel = "&Line Number";
inline constexpr const char* kNumberOfLinesLabel = "Number of lines is:";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";

inline constexpr const char* kFindCaption = "Find";
inline constexpr const char* kReplaceCaption = "Replace";
inline constexpr const char* kFindWhat = "Fi&nd what:";
inline constexpr const char* kReplaceWith = "Re&place with:";
inline constexpr const char* kWholeWord = "Match &whole word only";
inline constexpr const char* kMatchCase = "Match &case";
inline constexpr const char* kDirection = "Direction";
inline constexpr const char* kUp = "&Up";
inline constexpr const char* kDown = "&Down";
inline constexpr const char* kFindNext = "&Find Next";
inline constexpr const char* kReplaceOne = "&Replace";
inline constexpr const char* kReplaceAll = "Replace &All";
inline constexpr const char* kNotFoundBox = "Search string '%1' not found";
inline constexpr const char* kNotFoundStatus = "String \"%1\" not found";
inline constexpr const char* kReplacedBox = "%1 occurence(s) of '%2' were replaced";
inline constexpr const char* kReplacedStatus = "%1 occurrence%2 replaced";
inline constexpr const char* kLongLinesShown =
    "Lines longer than 16384 bytes are shown in pieces of 2048; the file is open read-only";

}  // namespace editor_texts
