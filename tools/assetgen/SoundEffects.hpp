#pragma once

#include "SampleTrack.hpp"

namespace assetgen {

// The game's short effects, each under a second, fading in from and out to silence.
namespace SoundEffects {

constexpr unsigned kSampleRate = 44100;

// One function per row of src/assets/SoundEffects.def, named in its last column.
#define PELLOWICK_SOUND_EFFECT(name, file, synthesiser) SampleTrack synthesiser();
#include "assets/SoundEffects.def"
#undef PELLOWICK_SOUND_EFFECT

} // namespace SoundEffects

} // namespace assetgen
