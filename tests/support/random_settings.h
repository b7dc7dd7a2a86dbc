#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "settings/settings_model.h"

namespace quorvel::testing {

using Random = std::mt19937_64;

// A number in [low, high].
[[nodiscard]] int between(Random& random, int low, int high);
// True with the given chance.
[[nodiscard]] bool chance(Random& random, double p);

// A name a person might give a link: Japanese, half-width kana or plain letters, up to the
// field's 40 bytes and sometimes beyond.
[[nodiscard]] std::string randomName(Random& random);
// A target: a program, a document, a folder or a web page, some of them long.
[[nodiscard]] std::string randomPath(Random& random);

// A launcher set as a person leaves it: the first `links` slots in use, the rest free, the
// dock-wide fields filled in with any of their words (or left empty).
[[nodiscard]] settings::SettingsModel randomSet(Random& random, int links);

}  // namespace quorvel::testing
