#include "hud/RunClock.hpp"

#include <cmath>
#include <cstdio>

std::string RunClock::format(double seconds) {
    const long long tenths = static_cast<long long>(std::floor(std::max(0.0, seconds) * 10.0 + 1e-6));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}
