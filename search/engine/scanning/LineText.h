#pragma once
// How a line read from a file is prepared: for matching (a lone CR dropped, the text from the
// first NUL ignored) and for showing (control characters as blanks, blank runs halved).

#include <string>
#include <string_view>

namespace search {

// The line as matching sees it: `raw` is the line without its LF; a CR before the LF and every
// other CR are dropped, and the text from the first NUL on is ignored. Returns a view into
// `raw` when nothing had to be dropped, else a view into `scratch`.
std::string_view PrepareLine(std::string_view raw, std::string& scratch);

// Every character below 32 and the character 127 become a blank, one for one.
std::string ReplaceControlChars(std::string_view text);

// One left-to-right pass that turns each pair of adjacent blanks into one blank.
std::string HalveSpaceRuns(std::string_view text);

// The text a prepared line is listed with.
std::string ShownText(std::string_view prepared, bool minimiseWhitespace);
// The same, appended to `out`.
void AppendShownText(std::string& out, std::string_view prepared, bool minimiseWhitespace);
// The same, made where the line lies: `prepared` is a part of `text`, which becomes the shown
// text, with no second copy of a line that may be hundreds of megabytes.
void MakeShownTextInPlace(std::string& text, std::string_view prepared, bool minimiseWhitespace);

// Whether ShownText would be empty, found without building it.
bool ShowsAsEmpty(std::string_view prepared, bool minimiseWhitespace);

}  // namespace search
