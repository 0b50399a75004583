// Checks the committed pictures, sounds and menu form that pellowick-assetgen writes: the game loads
// them by fixed names and relies on their sizes, on clean starts, ends and loop points of the audio,
// and on a menu form that loads without complaint.

#include "assetgen/PictureTable.hpp"
#include "assets/GameSounds.hpp"
#include "support/ErrCapture.hpp"
#include "ui/Gui.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kAssets = std::string(PELLOWICK_SOURCE_DIR) + "/Assets/";

// Effects and the loop point must sit within 1% of full scale of silence to be free of clicks.
constexpr int kNearSilence = 328;

sf::SoundBuffer loadSound(const std::string& file) {
    sf::SoundBuffer buffer;
    EXPECT_TRUE(buffer.loadFromFile(kAssets + "Sounds/" + file)) << file;
    return buffer;
}

int peak(const sf::SoundBuffer& buffer) {
    int loudest = 0;
    for (std::size_t i = 0; i < buffer.getSampleCount(); ++i) {
        loudest = std::max(loudest, std::abs(static_cast<int>(buffer.getSamples()[i])));
    }
    return loudest;
}

TEST(GeneratedAssetsTest, PicturesExistAtTheirSizesAndSpritesHaveClearBackgrounds) {
    for (const assetgen::PictureTable::Picture& picture : assetgen::PictureTable::kPictures) {
        sf::Image image;
        ASSERT_TRUE(image.loadFromFile(kAssets + picture.file)) << picture.file;
        EXPECT_EQ(image.getSize(), sf::Vector2u(picture.width, picture.height)) << picture.file;
        if (picture.width <= 48) {
            EXPECT_EQ(image.getPixel(0, 0).a, 0) << picture.file << " must be see-through around the object";
        }
    }
    sf::Image screen;
    ASSERT_TRUE(screen.loadFromFile(kAssets + "won.png"));
    EXPECT_EQ(screen.getPixel(400, 580).a, 255) << "screen pictures are opaque";
}

TEST(GeneratedAssetsTest, EffectsAreShortAudibleAndFadeAtBothEndsAndTheMusicLoopsSmoothly) {
    for (const auto& [name, file] : GameSounds::kEffects) {
        const sf::SoundBuffer buffer = loadSound(file);
        ASSERT_GT(buffer.getSampleCount(), 0u) << name;
        EXPECT_LT(buffer.getDuration(), sf::seconds(1.f)) << name;
        EXPECT_GT(peak(buffer), 8000) << name << " is too quiet";
        EXPECT_LE(std::abs(buffer.getSamples()[0]), kNearSilence) << name << " clicks at the start";
        EXPECT_LE(std::abs(buffer.getSamples()[buffer.getSampleCount() - 1]), kNearSilence)
            << name << " clicks at the end";
    }
    // The music loops smoothly for half a minute.
    const sf::SoundBuffer music = loadSound(GameSounds::kMusic + std::string(".wav"));
    ASSERT_GT(music.getSampleCount(), 0u);
    EXPECT_GE(music.getDuration(), sf::seconds(20.f));
    EXPECT_LE(music.getDuration(), sf::seconds(60.f));
    EXPECT_GT(peak(music), 8000);
    const int first = music.getSamples()[0];
    const int last = music.getSamples()[music.getSampleCount() - 1];
    EXPECT_LE(std::abs(last - first), kNearSilence) << "the loop point jumps";
    EXPECT_LE(std::abs(first), kNearSilence);
}

TEST(GeneratedAssetsTest, MenuFormLoadsCleanlyWithEveryWidgetInsideTheWindow) {
    ui::Gui gui;
    ErrCapture err;
    ASSERT_NO_THROW(gui.loadWidgetsFromFile(kAssets + "start.txt"));
    EXPECT_EQ(err.text(), "") << "the form uses keys the menu does not know";

    const sf::FloatRect window(0.f, 0.f, 800.f, 600.f);
    for (const auto& widget : gui.getWidgets()) {
        const sf::FloatRect area(widget->getPosition(), widget->getSize());
        EXPECT_TRUE(window.contains(area.left, area.top) &&
                    window.contains(area.left + area.width - 1.f, area.top + area.height - 1.f));
    }
}

} // namespace
