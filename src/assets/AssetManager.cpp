#include "assets/AssetManager.hpp"

#include "assets/FileCheck.hpp"
#include "assets/GameSounds.hpp"

#include <SFML/System/Err.hpp>

AssetManager* AssetManager::instance = nullptr;

AssetManager::AssetManager() : music(new sf::Music()) {
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
    textures.clear();
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

void AssetManager::loadTexture(std::string name, const std::string& path) {
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
    return soundBuffers.count(name) > 0;
}

void AssetManager::playSound(std::string name) {
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
    music->setVolume(audioOn ? kFullMusicVolume * static_cast<float>(musicPercent) / 100.0f : 0.0f);
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
    if (music->getStatus() != sf::SoundSource::Stopped) {
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
