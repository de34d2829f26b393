#pragma once
// A deliberately simple backtracking matcher for a subset of the dialect, written straight
// from the rules, used to check the real engine's answers on generated expressions.
// Subset: literals, ., [sets] with ranges and ^, \d \w \s \D \W \S \b \B, ^ $, groups,
// |, * + ? {n} {n,} {n,m} (with a lazy ?), backreferences \1..\9; i applies to the whole
// expression; s on, m off. With `utf8` the expression and the line are read as UTF-8: a
// valid sequence is one character, any other byte one of its own, and letters beyond ASCII
// fold by their upper case as plain strings do.

#include <string>
#include <string_view>

namespace search::regextest {

// True when the expression matches somewhere in the line. The expression must be valid.
bool ReferenceMatches(std::string_view expression, std::string_view line, bool ignoreCase, bool utf8 = false);

}  // namespace search::regextest
