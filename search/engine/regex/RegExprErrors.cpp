#include "search/engine/regex/RegExprErrors.h"

#include <string_view>

namespace search {

namespace {

struct TErrorRow {
  int code;
  const char* message;
};

constexpr TErrorRow kErrorTable[] = {
    {0, "No errors"},
    {100, "TRegExpr(comp): Null Argument"},
    {101, "TRegExpr(comp): Regexp Too Big"},
    {102, "TRegExpr(comp): ParseReg Too Many ()"},
    {103, "TRegExpr(comp): ParseReg Unmatched ()"},
    {104, "TRegExpr(comp): ParseReg Unmatched ()"},
    {105, "TRegExpr(comp): ParseReg Junk On End"},
    {106, "TRegExpr(comp): *+ Operand Could Be Empty"},
    {107, "TRegExpr(comp): Nested *?+"},
    {108, "TRegExpr(comp): Bad Hex Digit"},
    {109, "TRegExpr(comp): Invalid [] Range"},
    {110, "TRegExpr(comp): Parse Atom Trailing \\"},
    {111, "TRegExpr(comp): No Hex Code After \\x"},
    {112, "TRegExpr(comp): Hex Code After \\x Is Too Big"},
    {113, "TRegExpr(comp): Unmatched []"},
    {114, "TRegExpr(comp): Internal Urp"},
    {115, "TRegExpr(comp): ?+*{ Follows Nothing"},
    {116, "TRegExpr(comp): Trailing \\"},
    {119, "TRegExpr(comp): RarseAtom Internal Disaster"},
    {122, "TRegExpr(comp): BRACES Argument Too Big"},
    {124, "TRegExpr(comp): BRACE Min Param Greater then Max"},
    {125, "TRegExpr(comp): Unclosed (?#Comment)"},
    {127, "TRegExpr(comp): Urecognized Modifier"},
    {128, "TRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all"},
    {1000, "TRegExpr(exec): RegRepeat Called Inappropriately"},
    {1001, "TRegExpr(exec): MatchPrim Memory Corruption"},
    {1002, "TRegExpr(exec): MatchPrim Corrupted Pointers"},
    {1003, "TRegExpr(exec): Not Assigned Expression Property"},
    {1004, "TRegExpr(exec): Corrupted Program"},
    {1005, "TRegExpr(exec): No Input String Specified"},
    {1006, "TRegExpr(exec): Offset Must Be Greater Then 0"},
    {1007, "TRegExpr(exec): ExecNext Without Exec[Pos]"},
    {1008, "TRegExpr(exec): GetInputString Without InputString"},
    {1011, "TRegExpr(dump): Corrupted Opcode"},
    {1014, "TRegExpr(exec): Loop Stack Exceeded"},
    {1015, "TRegExpr(exec): Loop Without LoopEntry !"},
    {2000, "TRegExpr(misc): Bad p-code imported"},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

std::string RegExprErrorMessage(int code) {
  for (const auto& row : kErrorTable) {
    if (row.code == code) return row.message;
  }
  return "Unknown error";
}

std::string RegExprUserWording(std::string message) {
  ReplaceAll(message, "TRegExpr(comp):", "Unable to compile regular expression:");
  ReplaceAll(message, "TRegExpr(exec):", "Unable to execute regular expression:");
  ReplaceAll(message, "TRegExpr(misc):", "Regular expression error:");
  return message;
}

std::string RegExprCompileErrorText(int code, int position) {
  return RegExprUserWording(RegExprErrorMessage(code)) + " at character position " +
         std::to_string(position);
}

}  // namespace search
