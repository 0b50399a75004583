#include "assets/AssetManager.hpp"

#include "assets/GameSounds.hpp"
#include "common/ErrStream.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/System/Err.hpp>
#include <alc.h>
#include <stdexcept>

AssetManager* AssetManager::instance = nullptr;

namespace {
bool pretendingNoDevice = false;

// SFML opens its audio device along with the first sound object and tells of a failure only on
// sf::err(), then again for every OpenAL call each object makes; OpenAL itself tells whether a context
// came of it. The object returned keeps the device open; null when there is none.
std::unique_ptr<sf::SoundBuffer> openSoundDevice() {
    if (pretendingNoDevice) {
        return nullptr;
    }
    const ErrRedirect quiet(nullptr);
    auto hold = std::make_unique<sf::SoundBuffer>();
    if (alcGetCurrentContext() == nullptr) {
        hold.reset(); // while SFML's complaints are still dropped
    }
    return hold;
}

void sayNoSoundOnce() {
    static bool said = false;
    if (!said) {
        said = true;
        sf::err() << AssetManager::kNoSoundLine << std::endl;
    }
}
} // namespace

AssetManager::AssetManager() {
    // Before the music's thread can write to sf::err().
    ErrStream::install();
    deviceHold = openSoundDevice();
    soundOutput = deviceHold != nullptr;
    if (soundOutput) {
        music = new sf::Music();
        voices.resize(kVoices);
        voiceStarts.assign(kVoices, 0);
    } else {
        sayNoSoundOnce();
    }
    setVolumes(true, 100, 100);
}

AssetManager::~AssetManager() {
    // The players go first: a sound must not outlive the buffer it plays.
    for (sf::Sound& voice : voices) {
        voice.stop();
        voice.resetBuffer();
    }
    delete music;
    soundBuffers.clear();
    deviceHold.reset();
    textures.clear();
}

void AssetManager::pretendNoSoundDevice(bool pretend) {
    pretendingNoDevice = pretend;
}

AssetManager* AssetManager::getInstance() {
    if (!instance) {
        instance = new AssetManager();
    }
    return instance;
}

void AssetManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

void AssetManager::loadTexture(std::string name, const std::string& givenPath) {
    // A picture with words has a version per language beside it (Assets/de/controls.png).
    const std::string path = Translator::instance().localFile(givenPath);
    const unsigned largestSide = FileCheck::largestTextureSide();
    if (!FileCheck::mayLoadPicture(path, largestSide)) {
        return;
    }
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(path)) {
        return;
    }
    // Only a PNG's header tells its size; other formats are known once decoded.
    if (const std::string problem = FileCheck::sizeProblem(texture->getSize(), largestSide);
        !problem.empty()) {
        sf::err() << path << ": " << problem << std::endl;
        return;
    }
    textures[name] = std::move(texture);
}

void AssetManager::loadSoundBuffer(std::string name, const std::string& path) {
    if (!FileCheck::mayRead(path)) {
        return;
    }
    if (!soundOutput) {
        sf::InputSoundFile file; // reads the header alone, and needs no device
        if (file.openFromFile(path)) {
            silentEffects.insert(name);
        }
        return;
    }
    auto buffer = std::make_unique<sf::SoundBuffer>();
    if (buffer->loadFromFile(path)) {
        soundBuffers[name] = std::move(buffer);
    }
}

sf::Texture& AssetManager::getTexture(std::string name) {
    return *textures.at(name);
}

bool AssetManager::hasTexture(const std::string& name) const {
    return textures.count(name) > 0;
}

bool AssetManager::hasSoundBuffer(const std::string& name) const {
    return soundBuffers.count(name) > 0 || silentEffects.count(name) > 0;
}

void AssetManager::playSound(std::string name) {
    if (!soundOutput) {
        if (silentEffects.count(name) == 0) {
            throw std::out_of_range("AssetManager: no sound effect named " + name);
        }
        return;
    }
    const sf::SoundBuffer& buffer = *soundBuffers.at(name);
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < kVoices; ++i) {
        if (voices[i].getStatus() == sf::SoundSource::Stopped) {
            chosen = i;
            break;
        }
        if (voiceStarts[i] < voiceStarts[chosen]) {
            chosen = i;
        }
    }
    voices[chosen].setBuffer(buffer);
    voices[chosen].setVolume(effectsLoudness);
    voices[chosen].play();
    voiceStarts[chosen] = ++effectsStarted;
    lastVoiceIndex = chosen;
}

void AssetManager::setVolumes(bool audioOn, int musicPercent, int effectsPercent) {
    effectsLoudness = audioOn ? kFullEffectsVolume * static_cast<float>(effectsPercent) / 100.0f : 0.0f;
    musicLoudness = audioOn ? kFullMusicVolume * static_cast<float>(musicPercent) / 100.0f : 0.0f;
    if (music) {
        music->setVolume(musicLoudness);
    }
    for (sf::Sound& voice : voices) {
        voice.setVolume(effectsLoudness);
    }
}

void AssetManager::playSoundIfLoaded(const std::string& name) {
    if (hasSoundBuffer(name)) {
        playSound(name);
    }
}

void AssetManager::playMusic(std::string name) {
    if (!music || music->getStatus() != sf::SoundSource::Stopped) {
        return;
    }
    const std::string path = GameSounds::kFolder + name + ".wav";
    // SFML's decoders spin for ever on a folder and block on a pipe.
    if (!FileCheck::mayRead(path)) {
        return;
    }
    music->setLoop(true);
    music->openFromFile(path);
    music->play();
}
