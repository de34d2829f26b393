#pragma once
// An argument text split the way the program's own command line is: characters of code 32 or
// less separate words, double quotes group (and are removed), a backslash is an ordinary
// character. An empty pair of quotes gives no word.

#include <string>
#include <string_view>
#include <vector>

namespace platform::shell {

std::vector<std::string> SplitCommandLine(std::string_view text);

}  // namespace platform::shell
