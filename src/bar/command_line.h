#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::bar {

// An application link's target taken apart: the file to start and the argument text after it.
struct CommandLine {
    std::string program;
    std::string arguments;
    friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

// Finds the program a name stands for (a path, or a bare name along the search path); nullopt
// when no such file exists.
using ProgramFinder = std::function<std::optional<std::string>(const std::string& name)>;

// Splits a command line without ever letting the system guess. A quoted start names the
// program up to the closing quote. Otherwise the longest leading part that ends before a blank
// (or at the end) and names an existing program is the program: "C:\Program Files\App\app.exe
// -x" starts app.exe even when a "C:\Program.exe" exists. nullopt when no part names one.
[[nodiscard]] std::optional<CommandLine> splitCommandLine(std::string_view text,
                                                          const ProgramFinder& findProgram);

}  // namespace quorvel::bar
