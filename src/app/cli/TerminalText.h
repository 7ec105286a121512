#pragma once

#include <string>
#include <string_view>

namespace sigmora::app {

// What the command line prints about files carries names from those files and from the command
// line itself: a name may hold control characters, and an escape sequence printed raw would act
// on the user's terminal. Such bytes are printed escaped instead.

// text with every control character but the line break (C0, DEL, the C1 range written in UTF-8)
// and every byte that is not part of UTF-8 text written as \xHH (\e, \t, \r as such), so that
// nothing of it acts on a terminal.
std::string terminalSafe(std::string_view text);

// Prints "sigmora: " and the text, made safe, and a line break on standard error.
void printProblem(std::string_view text);

} // namespace sigmora::app
