#include "app/GameClock.hpp"

bool GameClock::scripted = false;
sf::Time GameClock::scriptedNow;

namespace {
const sf::Clock& processClock() {
    static const sf::Clock clock;
    return clock;
}
} // namespace

GameClock::GameClock() : start(now()) {}

sf::Time GameClock::getElapsedTime() const {
    return now() - start;
}

sf::Time GameClock::restart() {
    const sf::Time current = now();
    const sf::Time elapsed = current - start;
    start = current;
    return elapsed;
}

sf::Time GameClock::now() {
    return scripted ? scriptedNow : processClock().getElapsedTime();
}

void GameClock::setScripted(bool on) {
    // Keep time continuous across the switch so running clocks do not jump.
    scriptedNow = processClock().getElapsedTime();
    scripted = on;
}

void GameClock::advance(sf::Time step) {
    scriptedNow += step;
}
