#pragma once
// Every text the editor preferences dialog shows.

namespace configuration_editor_texts {

inline constexpr const char* kCaption = "Editor Preferences";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kSample = "Sample:";

inline constexpr const char* kOptionsPage = "&Options";
inline constexpr const char* kAutoIndent = "&Auto indent";
inline constexpr const char* kBackspaceUnindents = "&Backspace unindents";
inline constexpr const char* kCursorBeyondEOF = "Cursor beyond &EOF";
inline constexpr const char* kDoubleClickLine = "&Double-click line";
inline constexpr const char* kKeepTrailingBlanks = "&Keep trailing blanks";
inline constexpr const char* kSmartTab = "Smart &tab";
inline constexpr const char* kTabStops = "Tab &stops";
inline constexpr const char* kRightMarginVisible = "&Right-margin visible at";
inline constexpr const char* kHighlightBrackets = "&Highlight brackets";

inline constexpr const char* kColoursPage = "&Colours";
inline constexpr const char* kForeground = "Foreground";
inline constexpr const char* kBackground = "Background";
inline constexpr const char* kWindowColours = "&Window colours";
inline constexpr const char* kSelectionColours = "&Selection colours";
inline constexpr const char* kGutterColour = "&Gutter colour";
inline constexpr const char* kRightMarginColour = "&Right margin colour";
inline constexpr const char* kBracketHighlight = "&Bracket highlight";
inline constexpr const char* kReset = "Reset";

inline constexpr const char* kMoreColoursPage = "&More Colours";
inline constexpr const char* kMatchedStrings = "Matched &strings";
inline constexpr const char* kMatchedLines = "Matched &lines";

inline constexpr const char* kFontPage = "&Font";
inline constexpr const char* kFont = "Font";
inline constexpr const char* kFontButton = "...";

// The preview's text after its two rulers.
inline constexpr const char* kSampleWords[] = {"one", "two", "(three)", "[four]", "{five}",
                                               "six", "seven", "eight", "nine", "ten"};

}  // namespace configuration_editor_texts
