#pragma once

#include <string>

// How long the player has been playing the level, counted in game time: it runs only while the level does.
class RunClock {
public:
    void advance(float dt) { elapsed += dt; }
    double seconds() const { return elapsed; }
    std::string text() const { return format(elapsed); }

    // Minutes, seconds and tenths, "1:23.4"; tenths are cut, never rounded up.
    static std::string format(double seconds);

private:
    double elapsed = 0.0;
};
