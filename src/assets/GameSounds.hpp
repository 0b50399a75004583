#pragma once

// The game's sounds in Assets/Sounds/: the effects of SoundEffects.def, loaded whole by the start screen
// and played by name, and the music, streamed while the game runs.
class GameSounds {
public:
    struct Effect {
        const char* name; // what the game plays it by
        const char* file; // in kFolder
    };

    static constexpr const char* kFolder = "Assets/Sounds/";
    static constexpr const char* kMusic = "music"; // the file kFolder + kMusic + ".wav"

    static constexpr Effect kEffects[] = {
#define PELLOWICK_SOUND_EFFECT(name, file, synthesiser) {name, file},
#include "assets/SoundEffects.def"
#undef PELLOWICK_SOUND_EFFECT
    };
};
