#pragma once

#include <algorithm>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quorvel::tools {

// Exit codes of quorvel-settings.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // bad input, a failed save, or problems found
inline constexpr int kExitUsage = 2;

// The store's messages break lines with a carriage return, for message boxes; a terminal
// wants line feeds.
[[nodiscard]] inline std::string consoleText(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

struct Target {
    std::string dir;   // working folder; the files are in dir/UsrData
    std::string user;  // logon name that prefixes both file names
};

// Prints the dock fields and every stored set (1 to 4) as JSON, trimmed as the bar loads
// them. Reads only: missing files are not created.
int exportSettings(platform::FileSystem& files, const Target& target, std::ostream& out,
                   std::ostream& err);

// Reads {"dock": {...}, "set": {...}} and saves it as set `setNumber` with the bar's own save
// rules. Nothing is written unless the whole input is valid.
int importSettings(platform::FileSystem& files, const Target& target, int setNumber,
                   std::istream& in, std::ostream& err);

// Reports each problem of the two files on its own line.
int checkSettings(platform::FileSystem& files, const Target& target, std::ostream& out,
                  std::ostream& err);

// Runs one command line (the arguments after the program name) and returns the exit code.
int run(const std::vector<std::string>& args);

}  // namespace quorvel::tools
