#include "common/ErrStream.hpp"

#include <SFML/System/Err.hpp>
#include <mutex>
#include <string>

namespace {
// A line longer than this goes out in pieces rather than growing without end.
constexpr std::size_t kLongestHeldLine = 4096;

// Where this thread's writes go.
struct ThreadRoute {
    bool redirected = false;
    std::streambuf* target = nullptr; // null while redirected: the writes are dropped
    std::string heldLine;             // not redirected: the unfinished line, sent once it ends
};
thread_local ThreadRoute route;

// Unbuffered, so that every write reaches xsputn or overflow on the writing thread.
class GuardedBuffer : public std::streambuf {
public:
    explicit GuardedBuffer(std::streambuf* original) : original(original) {}

    // Sends this thread's unfinished line on.
    void sendHeldLine() {
        if (!route.heldLine.empty()) {
            std::lock_guard<std::mutex> lock(mutex);
            send(route.heldLine.data(), route.heldLine.size());
            route.heldLine.clear();
        }
    }

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (route.redirected) {
            if (route.target) {
                route.target->sputn(text, count);
            }
            return count;
        }
        route.heldLine.append(text, static_cast<std::size_t>(count));
        const std::size_t lineEnd = route.heldLine.rfind('\n');
        if (lineEnd != std::string::npos) {
            std::lock_guard<std::mutex> lock(mutex);
            send(route.heldLine.data(), lineEnd + 1);
            route.heldLine.erase(0, lineEnd + 1);
        }
        if (route.heldLine.size() > kLongestHeldLine) {
            sendHeldLine();
        }
        return count;
    }

    int_type overflow(int_type character) override {
        if (traits_type::eq_int_type(character, traits_type::eof())) {
            return traits_type::not_eof(character);
        }
        const char text = traits_type::to_char_type(character);
        xsputn(&text, 1);
        return character;
    }

    int sync() override {
        if (route.redirected) {
            if (route.target) {
                route.target->pubsync();
            }
            return 0;
        }
        std::lock_guard<std::mutex> lock(mutex);
        send(route.heldLine.data(), route.heldLine.size());
        route.heldLine.clear();
        if (original) {
            original->pubsync();
        }
        return 0;
    }

private:
    // With the lock held.
    void send(const char* text, std::size_t count) {
        if (original && count > 0) {
            original->sputn(text, static_cast<std::streamsize>(count));
        }
    }

    std::streambuf* const original;
    std::mutex mutex;
};

GuardedBuffer& guardedBuffer() {
    // Never destroyed: SFML's threads and static destructors may write to sf::err() until the very end.
    static GuardedBuffer* const buffer = [] {
        auto* made = new GuardedBuffer(sf::err().rdbuf());
        sf::err().rdbuf(made);
        return made;
    }();
    return *buffer;
}
} // namespace

void ErrStream::install() {
    guardedBuffer();
}

ErrRedirect::ErrRedirect(std::streambuf* target)
    : wasRedirected(route.redirected), previousTarget(route.target) {
    GuardedBuffer& buffer = guardedBuffer();
    if (!route.redirected) {
        buffer.sendHeldLine();
    }
    route.redirected = true;
    route.target = target;
}

ErrRedirect::~ErrRedirect() {
    route.redirected = wasRedirected;
    route.target = previousTarget;
}
