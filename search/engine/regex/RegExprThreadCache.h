#pragma once
// Gives each thread its own lazily built automaton for a compiled program, so that one
// compiled expression can be matched from several threads at once without locks.

#include <memory>

#include "search/engine/regex/RegExprDfa.h"
#include "search/engine/regex/RegExprProgram.h"

namespace search {

// The calling thread's automaton for the program. The thread keeps a few of them, the most
// recently used, and forgets those whose program is gone.
TRegExprDfa& ThreadRegExprDfa(const std::shared_ptr<const TRegExprProgram>& program);

}  // namespace search
