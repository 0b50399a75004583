// Runs the generators into a temporary folder and holds the committed Assets/ against what they make, so a
// change to a generator cannot leave stale pictures, sounds, menu or map behind. Pictures are compared
// pixel by pixel and sounds sample by sample, since their encoders may lay the bytes out differently.

#include "assetgen/PictureTable.hpp"
#include "assets/GameSounds.hpp"
#include "storage/LevelCatalog.hpp"
#include "support/Files.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path kCommitted = fs::path(PELLOWICK_SOURCE_DIR) / "Assets";

// Runs a generator from the build with its arguments; its output folder starts empty.
fs::path generate(const std::string& tool, const std::string& firstArgument = "",
                  const std::string& lastArgument = "") {
    const fs::path out = fs::path(testing::TempDir()) / ("pellowick_" + tool);
    fs::remove_all(out);
    fs::create_directories(out);
    const std::string command = std::string(PELLOWICK_RUNTIME_DIR) + "/" + tool + " " + firstArgument + " '" +
                                out.string() + "' " + lastArgument + " > '" + out.string() + ".log' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return out;
}

bool samePixels(const fs::path& made, const fs::path& committed) {
    sf::Image a, b;
    return a.loadFromFile(made.string()) && b.loadFromFile(committed.string()) &&
           a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                      b.getPixelsPtr());
}

bool sameSamples(const fs::path& made, const fs::path& committed) {
    sf::SoundBuffer a, b;
    return a.loadFromFile(made.string()) && b.loadFromFile(committed.string()) &&
           a.getSampleRate() == b.getSampleRate() && a.getChannelCount() == b.getChannelCount() &&
           a.getSampleCount() == b.getSampleCount() &&
           std::equal(a.getSamples(), a.getSamples() + a.getSampleCount(), b.getSamples());
}

// Every file the generator wrote equals its committed namesake; returns how many were compared.
std::size_t expectCommittedMatch(const fs::path& out) {
    std::size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path committed = kCommitted / fs::relative(entry.path(), out);
        const std::string extension = entry.path().extension().string();
        if (extension == ".png") {
            EXPECT_TRUE(samePixels(entry.path(), committed)) << committed << " is stale";
        } else if (extension == ".wav") {
            EXPECT_TRUE(sameSamples(entry.path(), committed)) << committed << " is stale";
        } else {
            EXPECT_EQ(readWholeFile(entry.path()), readWholeFile(committed)) << committed << " is stale";
        }
        ++compared;
    }
    return compared;
}

TEST(CommittedAssetsTest, MapAndTilesetsAreWhatTheLevelCompilerMakes) {
    std::vector<std::string> maps = LevelCatalog::shippedLevels();
    maps.insert(maps.end(), LevelCatalog::lessons().begin(), LevelCatalog::lessons().end());
    for (const std::string& map : maps) {
        // The first level's source is tools/mapgen/level; each other one's is named after its map.
        const std::string file = fs::path(map).filename().string();
        const std::string source = file == "map.tmx" ? "level" : fs::path(map).stem().string();
        const fs::path made =
            generate("pellowick-mapgen", std::string(PELLOWICK_SOURCE_DIR) + "/tools/mapgen/" + source, file);
        EXPECT_EQ(expectCommittedMatch(made), 3u) << file << " and the two tilesets it shares";
    }
}

TEST(CommittedAssetsTest, PicturesSoundsAndMenuAreWhatTheAssetGeneratorMakes) {
    const fs::path out = generate("pellowick-assetgen");
    EXPECT_EQ(expectCommittedMatch(out), std::size(assetgen::PictureTable::kPictures) +
                                             std::size(GameSounds::kEffects) + 2 +
                                             3 * std::size(assetgen::PictureTable::kWithWords))
        << "the pictures, the sound effects, the music, the menu form and the pictures with words in German, "
           "French and Spanish";
}

} // namespace
