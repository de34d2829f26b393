#pragma once
// Small text operations shared by the whole engine: ";"-separated lists, wildcard masks,
// letter folding and the system's error texts.

#include <string>
#include <string_view>
#include <vector>

namespace search {

// Removes the first item from the list text and returns it, untrimmed. The item ends at the
// earliest of the separator characters; without one the whole list is the item.
std::string TakeFirstItem(std::string& list, std::string_view separators);

// The pieces of the text between occurrences of the separator. Leading and doubled separators
// give empty pieces; a trailing separator gives no empty last piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// The items of a ";"-separated list, each trimmed; the first empty item ends the list.
std::vector<std::string> ListItems(std::string_view list);

// Wildcard test: `*` any run of characters (also none), `?` exactly one character (a UTF-8
// sequence, or a byte that is not part of one). Characters are compared exactly as passed in.
bool MatchesMask(std::string_view mask, std::string_view name);

// The system's message for an error code; empty for 0.
std::string SystemErrorText(int code);

// Only A..Z are folded.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Removes surrounding blanks (spaces and control characters).
std::string Trim(std::string_view text);

// "s" (or the given plural suffix) unless the count is exactly 1.
inline const char* PluralSuffix(long long count, const char* suffix = "s") {
  return count == 1 ? "" : suffix;
}

}  // namespace search
