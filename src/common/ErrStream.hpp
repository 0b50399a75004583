#pragma once

#include <streambuf>

// sf::err() shared safely with the threads SFML starts itself: every playing sf::Music streams on one,
// and reports each failed OpenAL call there on sf::err(). Swapping sf::err().rdbuf() for a while, as a
// capture did, lets that thread write into a buffer that is being swapped or already destroyed (a crash
// seen with no sound device). Instead one buffer, installed once, stays under sf::err() for the whole
// run: what a thread writes goes, a line at a time and under a lock, to where sf::err() wrote before,
// unless that thread has redirected its own writes with an ErrRedirect.
namespace ErrStream {
// Puts the guarded buffer under sf::err(), once for the run; later calls do nothing. Must come before
// anything that can play sound: AssetManager and every ErrRedirect call it.
void install();
} // namespace ErrStream

// While it lives, what this thread writes to sf::err() goes to `target`, or nowhere when it is null;
// other threads' writes are not affected, so SFML's music thread never reaches `target`. Nests as scopes
// do. The one way to redirect sf::err(): never swap sf::err().rdbuf() itself.
class ErrRedirect {
public:
    explicit ErrRedirect(std::streambuf* target);
    ~ErrRedirect();
    ErrRedirect(const ErrRedirect&) = delete;
    ErrRedirect& operator=(const ErrRedirect&) = delete;

private:
    bool wasRedirected;
    std::streambuf* previousTarget;
};
