#pragma once

#include "common/ErrStream.hpp"

#include <SFML/System/Err.hpp>
#include <sstream>
#include <string>

// Collects everything this thread writes to sf::err() while it lives, then lets it through again. What
// other threads write (SFML's music thread among them) is not collected.
class ErrCapture {
public:
    ErrCapture() = default;
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    std::string text() const { return captured.str(); }
    void clear() { captured.str(""); }

private:
    std::stringstream captured;
    ErrRedirect redirect{captured.rdbuf()};
};
