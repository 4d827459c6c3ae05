#pragma once
// borvanta-cli from its arguments to its exit status: the run goes over the
// vCard file named on the command line, the log goes to `out`, message boxes
// and failures to `err`.

#include <ostream>
#include <string_view>
#include <vector>

namespace borvanta::cli {

// `program` (UTF-8) names the program in its messages; `arguments` are those
// after the program name. Returns the exit status: 0 when the run wrote its
// final line and its changes reached the file, 1 when it did not, 2 when the
// command line was not understood.
[[nodiscard]] int runCommandLine(std::string_view program,
                                 const std::vector<std::string_view>& arguments, std::ostream& out,
                                 std::ostream& err);

}  // namespace borvanta::cli
