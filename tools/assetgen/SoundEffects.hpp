#pragma once

#include "SampleTrack.hpp"

namespace assetgen {

// The game's short effects, each under a second, fading in from and out to silence.
namespace SoundEffects {

constexpr unsigned kSampleRate = 44100;

SampleTrack button();  // a bright two-step tick for the menu buttons
SampleTrack death();   // a snap, then a sad falling "wah-wah-waaah"
SampleTrack egg();     // a round plop as an egg is laid
SampleTrack formula(); // a rising shimmer of bells as the formula is taken
SampleTrack victory(); // a short square-wave fanfare
SampleTrack shoot();   // a swishing "fwip" of an egg thrown
SampleTrack alarm();   // two short rising barks as a dog starts a chase

} // namespace SoundEffects

} // namespace assetgen
