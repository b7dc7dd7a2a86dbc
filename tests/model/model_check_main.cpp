// The long run of the random-event model checker: many seeds, many events each.
// Usage: quorvel_model_check [--seeds FIRST-LAST] [--events PER-SEED]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "model/model_checker.h"

int main(int argc, char** argv) {
    std::uint64_t first = 1;
    std::uint64_t last = 100;
    std::uint64_t events = 10000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--seeds") {
            const auto dash = value.find('-');
            first = std::stoull(value.substr(0, dash));
            last = dash == std::string::npos ? first : std::stoull(value.substr(dash + 1));
        } else if (option == "--events") {
            events = std::stoull(value);
        } else {
            std::fprintf(stderr, "usage: %s [--seeds FIRST-LAST] [--events PER-SEED]\n", argv[0]);
            return 2;
        }
    }
    const auto started = std::chrono::steady_clock::now();
    std::uint64_t total = 0;
    std::uint64_t runs = 0;
    std::uint64_t ticks = 0;
    std::uint64_t virtualMs = 0;
    std::uint64_t written = 0;
    std::map<std::string, std::uint64_t> counts;
    for (std::uint64_t seed = first; seed <= last; ++seed) {
        const quorvel::testing::ModelCheckResult r = quorvel::testing::runModelCheck(seed, events);
        total += r.events;
        runs += r.programRuns;
        ticks += r.timerTicks;
        virtualMs += r.virtualMs;
        written += r.filesWritten;
        for (const auto& [name, n] : r.eventCounts) {
            counts[name] += n;
        }
        if (r.violation) {
            std::printf("VIOLATION after %llu events in all\n%s\n",
                        static_cast<unsigned long long>(total), r.violation->c_str());
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "seeds %llu-%llu: %llu events, %llu program runs, %llu timer ticks, %.1f h of "
        "virtual time, %llu file writes, in %.0f s; no invariant broken\n",
        static_cast<unsigned long long>(first), static_cast<unsigned long long>(last),
        static_cast<unsigned long long>(total), static_cast<unsigned long long>(runs),
        static_cast<unsigned long long>(ticks), static_cast<double>(virtualMs) / 3.6e6,
        static_cast<unsigned long long>(written), seconds);
    for (const auto& [name, n] : counts) {
        std::printf("  %-18s %llu\n", name.c_str(), static_cast<unsigned long long>(n));
    }
    return 0;
}
