#pragma once

#include <SFML/System/Err.hpp>
#include <sstream>
#include <string>

// Collects everything written to sf::err() while it lives, then restores the stream.
class ErrCapture {
public:
    ErrCapture() : previous(sf::err().rdbuf(captured.rdbuf())) {}
    ~ErrCapture() { sf::err().rdbuf(previous); }
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    std::string text() const { return captured.str(); }
    void clear() { captured.str(""); }

private:
    std::stringstream captured;
    std::streambuf* previous;
};
