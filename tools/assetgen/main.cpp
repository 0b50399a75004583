// pellowick-assetgen <outputAssetsDir>
//
// Draws every picture, synthesises every sound and writes the start menu form the game loads from its
// Assets/ folder. The output depends only on this code, the Liberation Sans font and fixed seeds, so
// running it again reproduces the committed files. Text is rendered through OpenGL: run it with a
// display, e.g. under xvfb-run.

#include "MenuForm.hpp"
#include "MusicLoop.hpp"
#include "Pictures.hpp"
#include "PixelSprites.hpp"
#include "SoundEffects.hpp"

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
    const char* file;
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
        {"startScreen.png", [&] { return Pictures::startScreen(fonts); }},
        {"controls.png", [&] { return Pictures::controls(fonts); }},
        {"credits.png", [&] { return Pictures::credits(fonts); }},
        {"won.png", [&] { return Pictures::won(fonts); }},
        {"lost.png", [&] { return Pictures::lost(fonts); }},
        {"pause.png", [&] { return Pictures::pause(fonts); }},
        {"audio.png", [] { return Pictures::audioIcon(true); }},
        {"audioOff.png", [] { return Pictures::audioIcon(false); }},
        {"eggAmount.png", [] { return Pictures::eggAmount(); }},
        {"player.png", [] { return PixelSprites::player(); }},
        {"dog1.png", [] { return PixelSprites::dog1(); }},
        {"dog2.png", [] { return PixelSprites::dog2(); }},
        {"dogAngry.png", [] { return PixelSprites::dogAngry(); }},
        {"egg.png", [] { return PixelSprites::egg(); }},
        {"formula.png", [] { return PixelSprites::formula(); }},
    };
}

const std::vector<SoundJob> kSoundJobs = {
    {"button.wav", SoundEffects::button},   {"death.wav", SoundEffects::death},
    {"egg.wav", SoundEffects::egg},         {"formula.wav", SoundEffects::formula},
    {"victory.wav", SoundEffects::victory}, {"shoot.wav", SoundEffects::shoot},
    {"alarm.wav", SoundEffects::alarm},     {"music.wav", musicLoop},
};

// The sizes desktops look for in the hicolor icon theme; the window uses the 64-pixel one.
const unsigned kIconSizes[] = {16, 32, 48, 64, 128, 256};

int generate(const fs::path& assets) {
    std::error_code error;
    fs::create_directories(assets / "Sounds", error);
    if (error) {
        sf::err() << "pellowick-assetgen: cannot create " << (assets / "Sounds").string() << ": "
                  << error.message() << std::endl;
        return 1;
    }
    Fonts fonts;
    if (!fonts.load()) {
        return 1;
    }
    int written = 0, failed = 0;
    for (const PictureJob& job : pictureJobs(fonts)) {
        savePicture(job.draw(), assets / job.file) ? ++written : ++failed;
    }
    for (const SoundJob& job : kSoundJobs) {
        job.synthesise().save((assets / "Sounds" / job.file).string()) ? ++written : ++failed;
    }
    writeMenuForm(assets / "start.txt") ? ++written : ++failed;
    fs::create_directories(assets / "icons", error);
    for (unsigned size : kIconSizes) {
        const fs::path file = assets / "icons" / ("pellowick-" + std::to_string(size) + ".png");
        savePicture(Pictures::appIcon(size), file) ? ++written : ++failed;
    }
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
    try {
        return generate(argv[1]);
    } catch (const std::exception& error) {
        sf::err() << "pellowick-assetgen: " << error.what() << std::endl;
        return 1;
    }
}
