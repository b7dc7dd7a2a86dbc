#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace quorvel::testing {

// What one random run did, and the first broken promise it found.
struct ModelCheckResult {
    std::uint64_t seed = 0;
    std::uint64_t events = 0;
    std::uint64_t programRuns = 0;
    std::uint64_t timerTicks = 0;
    std::uint64_t virtualMs = 0;
    std::uint64_t filesWritten = 0;
    std::map<std::string, std::uint64_t> eventCounts;
    // The first invariant that did not hold: what, at which event, and the events before it.
    std::optional<std::string> violation;
};

// Runs `events` random user and system events, chosen from `seed`, against the whole program on
// the simulated system and a virtual clock, and checks after every event (and every timer tick)
// what any user of the bar would state:
//   - nothing throws but the program's own end, and nothing it does trips the sanitizers;
//   - every file the program wrote reads back without an error, and a save that said nothing
//     stored exactly the bar's fields;
//   - after 5 s without input no 1 ms or 10 ms timer is running, the bar is fully open at its
//     width or hidden, the taskbar is as the bar's setting says, the panel sits by the bar;
//   - the taskbar is shown after every way the program ends but a hard kill, and the next
//     start after a hard kill applies the setting;
//   - a name on show is never left on the screen more than a second after the pointer was
//     last over an item;
//   - there is at most one settings window;
//   - on every screen, from 640 x 480 up, with the taskbar along any edge, the bar's left end
//     (close button, taskbar toggle), its switch panel and a name on show are on the screen;
//   - a run of clicks at one spot within the double-click time acts once;
//   - every taskbar, each monitor's, is hidden and shown with the setting;
//   - every value typed or chosen for a launcher set (tagged with its number) stays in that
//     set's record, whatever the bar switched to meanwhile and whichever window saved;
//   - a settings window that counts itself saved shows its set's links as they are stored
//     (and, right after a reset, the bar's set names);
//   - a quick edit from the menu leaves its change in place whether its save worked or not,
//     and only the taskbar entry changes the taskbar state.
ModelCheckResult runModelCheck(std::uint64_t seed, std::uint64_t events);

}  // namespace quorvel::testing
