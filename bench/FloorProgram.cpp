// pellowick_floor [--fullscreen | WIDTHxHEIGHT] [MUSIC]: the floor frame (FloorFrame.hpp) at 60 frames a
// second, with the game's music looping, until the window closes. scripts/measure-frame-cpu measures the
// game against it.
#include "FloorFrame.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Window/Event.hpp>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    sf::VideoMode mode(800, 600);
    auto style = static_cast<sf::Uint32>(sf::Style::Default);
    sf::Music music;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        unsigned width = 0;
        unsigned height = 0;
        if (argument == "--fullscreen") {
            mode = sf::VideoMode::getDesktopMode();
            style = sf::Style::Fullscreen;
        } else if (std::sscanf(argv[i], "%ux%u", &width, &height) == 2) {
            mode = sf::VideoMode(width, height);
        } else if (music.openFromFile(argument)) {
            music.setLoop(true);
            music.play();
        } else {
            std::fprintf(stderr, "usage: pellowick_floor [--fullscreen | WIDTHxHEIGHT] [MUSIC]\n");
            return 2;
        }
    }
    sf::RenderWindow window(mode, "Pellowick floor", style);
    window.setFramerateLimit(60);
    FloorFrame floor;
    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window.close();
            }
        }
        floor.draw(window);
    }
    return 0;
}
