#pragma once

#include <SFML/System/Clock.hpp>
#include <SFML/System/Time.hpp>

// A stopwatch like sf::Clock whose time source tests can script: in scripted
// mode time stands still until advance() moves it, so delays such as an egg's
// arming can be played frame by frame with a fixed dt.
class GameClock {
public:
    GameClock();
    sf::Time getElapsedTime() const;
    sf::Time restart();

    static sf::Time now();
    static void setScripted(bool scripted);
    static void advance(sf::Time step);

private:
    sf::Time start;

    static bool scripted;
    static sf::Time scriptedNow;
};
