#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>
#include <memory>
#include <string>

// Loads textures and sound buffers once and hands them out by short names; owns
// the one effect player and the one music player.
//
// A failed load leaves the map unchanged (an older entry of that name stays). Files that are not regular
// files, and pictures above FileCheck::largestTextureSide() a side, fail with one line on sf::err().
// References returned by getTexture stay valid until that name is loaded again
// or the manager is destroyed. Unknown names throw std::out_of_range.
class AssetManager {
public:
    static AssetManager* getInstance();
    static void destroyInstance();

    void loadTexture(std::string name, const std::string& path);
    void loadSoundBuffer(std::string name, const std::string& path);
    sf::Texture& getTexture(std::string name);
    bool hasTexture(const std::string& name) const;
    bool hasSoundBuffer(const std::string& name) const;
    // Plays an effect, cutting off the one playing. Throws for unknown names.
    void playSound(std::string name);
    // Plays the effect if it was loaded; a missing effect is silent.
    void playSoundIfLoaded(const std::string& name);
    // Starts "Assets/Sounds/<name>.wav" looped, unless music is already playing or paused.
    void playMusic(std::string name);

    std::map<std::string, std::unique_ptr<sf::Texture>> textures;
    std::map<std::string, std::unique_ptr<sf::SoundBuffer>> soundBuffers;
    sf::Music* music;
    sf::Sound* sound;

private:
    AssetManager();
    ~AssetManager();
    static AssetManager* instance;
};
