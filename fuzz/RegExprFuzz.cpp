// libFuzzer target for the regular-expression engine: compiles the input's expression with the
// input's modifiers, matches it against the input's line and aborts when the engine's parts
// disagree or break a promise (see RegExprFuzzCheck.h). Inputs worth keeping go to
// fuzz/corpus/regexpr, which the engine tests replay.
#include <cstdlib>

#include "fuzz/RegExprFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!search::fuzz::CheckRegExprInput(data, size)) std::abort();
  return 0;
}
