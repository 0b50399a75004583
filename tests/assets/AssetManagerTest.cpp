#include "assets/AssetManager.hpp"

#include "support/ErrCapture.hpp"

#include <gtest/gtest.h>

namespace {
class AssetManagerTest : public ::testing::Test {
protected:
    void TearDown() override { AssetManager::destroyInstance(); }
    AssetManager* assets = AssetManager::getInstance();
};

TEST_F(AssetManagerTest, AFailedReloadKeepsTheOldTextureAndUnknownNamesThrow) {
    assets->loadTexture("picture", "Assets/audio.png");
    const sf::Vector2u first = assets->getTexture("picture").getSize();
    assets->loadTexture("picture", "Assets/controls.png");
    EXPECT_EQ(assets->getTexture("picture").getSize(), sf::Vector2u(800, 593));
    EXPECT_NE(first, sf::Vector2u(800, 593));

    ErrCapture err;
    assets->loadTexture("picture", "Assets/no-such-file.png");
    EXPECT_EQ(assets->getTexture("picture").getSize(), sf::Vector2u(800, 593));
    EXPECT_EQ(assets->textures.size(), 1u);

    assets->loadTexture("missing", "Assets/no-such-file.png");
    EXPECT_THROW(assets->getTexture("missing"), std::out_of_range);
    EXPECT_THROW(assets->playSound("missing"), std::out_of_range);
    EXPECT_NO_THROW(assets->playSoundIfLoaded("missing"));
}

TEST_F(AssetManagerTest, EffectsOverlapAtTheChosenVolumeAndMusicIsNotRestarted) {
    assets->loadSoundBuffer("shoot", "Assets/Sounds/shoot.wav");
    assets->loadSoundBuffer("death", "Assets/Sounds/death.wav");
    const sf::SoundBuffer* death = assets->soundBuffers.at("death").get();
    ASSERT_TRUE(assets->hasSoundOutput());
    assets->setVolumes(true, 40, 50);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 20.0f);
    EXPECT_FLOAT_EQ(assets->musicVolume(), 20.0f);
    assets->playSound("shoot");
    const sf::Sound& shot = assets->lastVoice();
    assets->playSound("death");
    EXPECT_EQ(shot.getStatus(), sf::SoundSource::Playing) << "a second effect does not cut off the first";
    EXPECT_EQ(assets->lastVoice().getBuffer(), death);
    EXPECT_FLOAT_EQ(assets->lastVoice().getVolume(), 5.0f);
    for (std::size_t i = 2; i < AssetManager::kVoices; ++i) {
        assets->playSound("death");
        EXPECT_NE(shot.getBuffer(), death);
    }
    assets->playSound("death");
    EXPECT_EQ(shot.getBuffer(), death) << "with every voice busy the oldest effect gives way";
    assets->setVolumes(false, 40, 50);
    EXPECT_EQ(assets->lastVoice().getVolume(), 0.0f);
    EXPECT_EQ(assets->music->getVolume(), 0.0f);

    assets->playMusic("music");
    ASSERT_EQ(assets->music->getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(assets->music->getLoop());
    assets->music->setPlayingOffset(sf::seconds(5));
    assets->music->pause();
    assets->playMusic("music");
    EXPECT_EQ(assets->music->getStatus(), sf::SoundSource::Paused) << "a paused track is left alone";
    EXPECT_GE(assets->music->getPlayingOffset(), sf::seconds(4));
}
} // namespace

// Without a sound device no SFML sound object is made (each would report every OpenAL call it makes on
// sf::err()), yet every call works as before, silently, and one line says so.
TEST(AssetManagerWithoutSoundTest, EveryCallWorksSilentlyAndOneLineSaysSo) {
    AssetManager::destroyInstance();
    ErrCapture err;
    AssetManager::pretendNoSoundDevice(true);
    AssetManager* assets = AssetManager::getInstance();
    AssetManager::pretendNoSoundDevice(false);
    EXPECT_EQ(err.text(), std::string(AssetManager::kNoSoundLine) + "\n");
    EXPECT_FALSE(assets->hasSoundOutput());
    EXPECT_EQ(assets->music, nullptr);

    err.clear();
    assets->loadSoundBuffer("shoot", "Assets/Sounds/shoot.wav");
    EXPECT_TRUE(assets->hasSoundBuffer("shoot"));
    EXPECT_TRUE(assets->soundBuffers.empty());
    assets->loadSoundBuffer("folder", "Assets/Sounds");
    EXPECT_FALSE(assets->hasSoundBuffer("folder"));
    EXPECT_NE(err.text().find("Assets/Sounds"), std::string::npos) << "a bad file is still named";

    err.clear();
    EXPECT_NO_THROW(assets->playSound("shoot"));
    EXPECT_NO_THROW(assets->playSoundIfLoaded("shoot"));
    EXPECT_THROW(assets->playSound("folder"), std::out_of_range);
    EXPECT_THROW(assets->lastVoice(), std::out_of_range);
    assets->setVolumes(true, 40, 50);
    EXPECT_FLOAT_EQ(assets->musicVolume(), 20.0f);
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 5.0f);
    assets->playMusic("music");
    EXPECT_EQ(assets->music, nullptr);
    EXPECT_EQ(err.text(), "");
    AssetManager::destroyInstance();
}
