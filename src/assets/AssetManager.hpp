#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Loads textures and sound buffers once and hands them out by short names; owns
// a few effect voices, so effects overlap instead of cutting each other off,
// and the one music player.
//
// A failed load leaves the map unchanged (an older entry of that name stays). Files that are not regular
// files, and pictures above FileCheck::largestTextureSide() a side, fail with one line on sf::err().
// References returned by getTexture stay valid until that name is loaded again
// or the manager is destroyed. Unknown names throw std::out_of_range.
//
// Without a sound device (OpenAL can open no output, or make no context on it) the game plays silently:
// the manager then makes no SFML sound object at all, since each would report every OpenAL call it makes
// on sf::err(), the music's thread many thousand times a second. Every call below still works, and one
// line on sf::err() has said so, once for the run.
class AssetManager {
public:
    static AssetManager* getInstance();
    static void destroyInstance();
    // For tests: managers made while this is set behave as on a machine without a sound device.
    static void pretendNoSoundDevice(bool pretend);
    static constexpr const char* kNoSoundLine =
        "Pellowick: no sound device could be opened; the game plays without sound";

    // False when the manager found no sound device when it was made: nothing is heard, `music` is null,
    // `soundBuffers` stays empty and lastVoice() throws std::out_of_range.
    bool hasSoundOutput() const { return soundOutput; }

    // Loads the language's own version of a picture when it has one (Translator::localFile).
    void loadTexture(std::string name, const std::string& path);
    void loadSoundBuffer(std::string name, const std::string& path);
    sf::Texture& getTexture(std::string name);
    bool hasTexture(const std::string& name) const;
    bool hasSoundBuffer(const std::string& name) const;
    static constexpr std::size_t kVoices = 4;
    // The game's own loudness at full volume, in SFML's 0 to 100.
    static constexpr float kFullEffectsVolume = 10.0f;
    static constexpr float kFullMusicVolume = 50.0f;

    // Plays an effect on a free voice, or instead of the one that started longest ago when all
    // are busy. Throws for unknown names (without a sound device, for names of effects never loaded).
    void playSound(std::string name);
    // Plays the effect if it was loaded; a missing effect is silent.
    void playSoundIfLoaded(const std::string& name);
    // Starts "Assets/Sounds/<name>.wav" looped, unless music is already playing or paused.
    void playMusic(std::string name);
    // Sets both players from the player's choices (0 to 100 each); muted is silent whatever they are.
    // Effects already playing change too.
    void setVolumes(bool audioOn, int musicPercent, int effectsPercent);
    float effectsVolume() const { return effectsLoudness; }
    float musicVolume() const { return musicLoudness; }
    // The voice the latest effect plays on.
    const sf::Sound& lastVoice() const { return voices.at(lastVoiceIndex); }

    std::map<std::string, std::unique_ptr<sf::Texture>> textures;
    std::map<std::string, std::unique_ptr<sf::SoundBuffer>> soundBuffers;
    sf::Music* music = nullptr;

private:
    AssetManager();
    ~AssetManager();
    static AssetManager* instance;

    // Holds SFML's audio device open while the manager lives; null without a sound device.
    std::unique_ptr<sf::SoundBuffer> deviceHold;
    bool soundOutput = false;
    std::vector<sf::Sound> voices; // kVoices of them with a sound device, none without
    std::vector<std::uint64_t> voiceStarts;
    std::uint64_t effectsStarted = 0;
    std::size_t lastVoiceIndex = 0;
    float effectsLoudness = kFullEffectsVolume;
    float musicLoudness = kFullMusicVolume;
    // Without a sound device: the effects that would have loaded, so that playing them stays silent.
    std::set<std::string> silentEffects;
};
