#pragma once

#include "SampleTrack.hpp"

namespace assetgen {

// The background tune: sixteen bars of a sneaky A-minor chiptune (lead, bass, arpeggio and light drums)
// at 120 beats a minute, 32 seconds long. Every note starts and ends inside the loop and fades from and
// to silence, so the last sample meets the first without a click when the game loops it.
// Throws std::logic_error if the written score does not fill the sixteen bars exactly.
SampleTrack musicLoop();

} // namespace assetgen
