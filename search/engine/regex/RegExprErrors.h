#pragma once
// The matcher's error codes, their message table and the exception thrown when matching fails.

#include <stdexcept>
#include <string>

namespace search {

enum TRegExprErrorCode : int {
  reeOk = 0,
  reeCompNullArgument = 100,
  reeCompRegexpTooBig = 101,
  reeCompParseRegTooManyBrackets = 102,
  reeCompParseRegUnmatchedBrackets = 103,
  reeCompParseRegUnmatchedBrackets2 = 104,
  reeCompParseRegJunkOnEnd = 105,
  rePlusStarOperandCouldBeEmpty = 106,
  reeNestedSQP = 107,
  reeBadHexDigit = 108,
  reeInvalidRange = 109,
  reeParseAtomTrailingBackSlash = 110,
  reeNoHexCodeAfterBSlashX = 111,
  reeHexCodeAfterBSlashXTooBig = 112,
  reeUnmatchedSqBrackets = 113,
  reeInternalUrp = 114,
  reeQPSFollowsNothing = 115,
  reeTrailingBackSlash = 116,
  reeRarseAtomInternalDisaster = 119,
  reeBRACESArgTooBig = 122,
  reeBracesMinParamGreaterMax = 124,
  reeUnclosedComment = 125,
  reeUnrecognizedModifier = 127,
  reeBadLinePairedSeparator = 128,
  reeRegRepeatCalledInappropriately = 1000,
  reeMatchPrimMemoryCorruption = 1001,
  reeMatchPrimCorruptedPointers = 1002,
  reeNoExpression = 1003,
  reeCorruptedProgram = 1004,
  reeNoInputStringSpecified = 1005,
  reeOffsetMustBeGreaterThen0 = 1006,
  reeExecNextWithoutExec = 1007,
  reeGetInputStringWithoutInputString = 1008,
  reeDumpCorruptedOpcode = 1011,
  reeLoopStackExceeded = 1014,
  reeLoopWithoutEntry = 1015,
  reeBadPCodeImported = 2000,
};

// The table's text for a code: "Unknown error" for codes not in it, "No errors" for 0.
std::string RegExprErrorMessage(int code);

// The text of a compile failure as the user sees it, e.g. "Unable to compile regular
// expression: ParseReg Unmatched () at character position 4".
std::string RegExprCompileErrorText(int code, int position);

// Replaces the table's "TRegExpr(comp):", "TRegExpr(exec):" and "TRegExpr(misc):" prefixes by
// the wording shown to the user.
std::string RegExprUserWording(std::string message);

// Thrown by TRegExpr::Exec when an expression cannot be executed on a line.
class TRegExprError : public std::runtime_error {
 public:
  TRegExprError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace search
