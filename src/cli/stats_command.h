#pragma once
// pyx-cli stats FILE... [--json] [--rule hcr|y10|y6] [--settings S] [--pdf|--rtf|--docx OUT]:
// the piles of a unit project side by side with their statistics, as text, as JSON or as the
// summary report.

#include <string>
#include <vector>

namespace pyx {

// `args` follow the command's name. Exit status as the other commands give it.
int statsCommand(const std::vector<std::string>& args, int argc, char** argv);

} // namespace pyx
