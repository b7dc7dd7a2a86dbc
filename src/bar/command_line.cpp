#include "bar/command_line.h"

namespace quorvel::bar {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::optional<CommandLine> splitCommandLine(std::string_view text,
                                            const ProgramFinder& findProgram) {
    text = skipBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '"') {
        const std::size_t close = text.find('"', 1);
        const std::string_view quoted =
            text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        const std::string_view rest =
            close == std::string_view::npos ? std::string_view{} : text.substr(close + 1);
        if (auto program = findProgram(std::string(quoted))) {
            return CommandLine{*program, std::string(skipBlanks(rest))};
        }
        return std::nullopt;
    }
    // Longest first: each cut lies just before a blank that follows something else.
    for (std::size_t end = text.size(); end > 0; --end) {
        const bool cut = end == text.size() || (isBlank(text[end]) && !isBlank(text[end - 1]));
        if (!cut) {
            continue;
        }
        if (auto program = findProgram(std::string(text.substr(0, end)))) {
            return CommandLine{*program, std::string(skipBlanks(text.substr(end)))};
        }
    }
    return std::nullopt;
}

}  // namespace quorvel::bar
