#include "input/KeyCapture.hpp"

#include "input/KeyNames.hpp"

void KeyCapture::begin(const std::string& chosen) {
    action = chosen;
    line = "Press a key for " + chosen + " (Escape cancels)";
}

KeyCapture::Result KeyCapture::press(sf::Keyboard::Key key, bool alt, Settings& settings) {
    if (!isActive()) {
        return Result::Cancelled;
    }
    // Alt alone may be the start of Alt+Enter: wait for the key that follows it.
    if (key == sf::Keyboard::LAlt || key == sf::Keyboard::RAlt) {
        return Result::Waiting;
    }
    if (key == sf::Keyboard::Escape) {
        line = action + " keeps " + KeyNames::nameOf(settings.key(action));
        action.clear();
        return Result::Cancelled;
    }
    const std::string kept = key == sf::Keyboard::Enter && alt
                                 ? "Alt+Enter switches between the window and fullscreen"
                                 : (KeyNames::keptByTheGame(key).empty()
                                        ? ""
                                        : KeyNames::nameOf(key) + " " + KeyNames::keptByTheGame(key));
    if (!kept.empty() || KeyNames::nameOf(key).empty()) {
        line = (kept.empty() ? "That key cannot be bound" : kept + " and cannot be bound") +
               "; press another key for " + action;
        return Result::Refused;
    }
    const sf::Keyboard::Key old = settings.key(action);
    for (const std::string& other : Settings::actions()) {
        if (other != action && settings.key(other) == key) {
            settings.keys[other] = old;
            line = action + " is now " + KeyNames::nameOf(key) + "; " + other + " takes " +
                   KeyNames::nameOf(old);
            settings.keys[action] = key;
            action.clear();
            return Result::Bound;
        }
    }
    settings.keys[action] = key;
    line = action + " is now " + KeyNames::nameOf(key);
    action.clear();
    return Result::Bound;
}
