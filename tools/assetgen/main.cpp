// pellowick-assetgen <outputAssetsDir>
//
// Draws every picture, synthesises every sound and writes the start menu form the game loads from its
// Assets/ folder, and the pictures that hold words once more per translated language (Assets/de/...). The
// output depends only on this code, the Liberation Sans font and fixed seeds, so running it again reproduces
// the committed files. Text is rendered through OpenGL: run it with a display, e.g. under xvfb-run.

#include "MenuForm.hpp"
#include "MusicLoop.hpp"
#include "PictureTable.hpp"
#include "Pictures.hpp"
#include "PixelSprites.hpp"
#include "SoundEffects.hpp"
#include "app/AssetFolder.hpp"
#include "assets/GameSounds.hpp"
#include "i18n/Translator.hpp"

#include <SFML/System/Err.hpp>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

struct PictureJob {
    const char* file;
    std::function<sf::Image()> draw;
};

struct SoundJob {
    std::string file;
    std::function<SampleTrack()> synthesise;
};

bool savePicture(const sf::Image& image, const fs::path& path) {
    if (image.saveToFile(path.string())) {
        return true;
    }
    sf::err() << "pellowick-assetgen: could not write the picture " << path.string() << std::endl;
    return false;
}

bool writeMenuForm(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << menuForm();
    if (out.good()) {
        return true;
    }
    sf::err() << "pellowick-assetgen: could not write the menu form " << path.string() << std::endl;
    return false;
}

std::vector<PictureJob> pictureJobs(const Fonts& fonts) {
    return {
#define PELLOWICK_PICTURE(file, width, height, drawing) {file, [&] { return drawing; }},
#include "PictureTable.def"
#undef PELLOWICK_PICTURE
    };
}

std::vector<SoundJob> soundJobs() {
    return {
#define PELLOWICK_SOUND_EFFECT(name, file, synthesiser) {file, SoundEffects::synthesiser},
#include "assets/SoundEffects.def"
#undef PELLOWICK_SOUND_EFFECT
        {GameSounds::kMusic + std::string(".wav"), musicLoop},
    };
}

int generate(const fs::path& assets) {
    for (const char* folder : {"Sounds", "icons"}) {
        std::error_code error;
        fs::create_directories(assets / folder, error);
        if (error) {
            sf::err() << "pellowick-assetgen: cannot create " << (assets / folder).string() << ": "
                      << error.message() << std::endl;
            return 1;
        }
    }
    Fonts fonts;
    if (!fonts.load()) {
        return 1;
    }
    int written = 0, failed = 0;
    Translator::instance().choose("en");
    for (const PictureJob& job : pictureJobs(fonts)) {
        savePicture(job.draw(), assets / job.file) ? ++written : ++failed;
    }
    // The pictures with words once more in each translated language, from the game's own catalogs.
    for (const std::string& language : Translator::translated()) {
        Translator::instance().choose(language);
        std::error_code error;
        fs::create_directories(assets / language, error);
        for (const PictureJob& job : pictureJobs(fonts)) {
            if (PictureTable::holdsWords(job.file)) {
                savePicture(job.draw(), assets / language / job.file) ? ++written : ++failed;
            }
        }
    }
    Translator::instance().choose("en");
    for (const SoundJob& job : soundJobs()) {
        job.synthesise().save((assets / "Sounds" / job.file).string()) ? ++written : ++failed;
    }
    writeMenuForm(assets / "start.txt") ? ++written : ++failed;
    std::cout << "pellowick-assetgen: wrote " << written << " files to " << assets.string() << std::endl;
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        sf::err() << "usage: pellowick-assetgen <outputAssetsDir>" << std::endl;
        return 2;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        sf::err() << "pellowick-assetgen: text is drawn with OpenGL and needs a display; run it under "
                     "xvfb-run -a -s \"-screen 0 1600x1200x24\""
                  << std::endl;
        return 1;
    }
    // The catalogs the build compiled beside the generator.
    Translator::instance().setCatalogFolder(
        AssetFolder::catalogFolder(AssetFolder::programDirectory(argv[0]), ""));
    try {
        return generate(argv[1]);
    } catch (const std::exception& error) {
        sf::err() << "pellowick-assetgen: " << error.what() << std::endl;
        return 1;
    }
}
