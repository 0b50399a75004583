#include "input/KeyCapture.hpp"

#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "input/KeyNames.hpp"

void KeyCapture::begin(const std::string& chosen) {
    action = chosen;
    line = fill(tr("Press a key for {1} (Escape cancels)"), {ActionLabel::capitalName(chosen)});
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
        // TRANSLATORS: a key choice was cancelled: "LAY keeps E".
        line = fill(tr("{1} keeps {2}"),
                    {ActionLabel::capitalName(action), KeyNames::nameOf(settings.key(action))});
        action.clear();
        return Result::Cancelled;
    }
    const std::string kept = key == sf::Keyboard::Enter && alt
                                 ? tr("Alt+Enter switches between the window and fullscreen")
                                 : (KeyNames::keptByTheGame(key).empty()
                                        ? ""
                                        : fill(tr(KeyNames::keptByTheGame(key)), {KeyNames::nameOf(key)}));
    if (!kept.empty() || KeyNames::nameOf(key).empty()) {
        // TRANSLATORS: {1} says what the key does ("F11 switches between the window and fullscreen").
        line = (kept.empty() ? tr("That key cannot be bound") : fill(tr("{1} and cannot be bound"), {kept})) +
               fill(tr("; press another key for {1}"), {ActionLabel::capitalName(action)});
        return Result::Refused;
    }
    const sf::Keyboard::Key old = settings.key(action);
    for (const std::string& other : Settings::actions()) {
        if (other != action && settings.key(other) == key) {
            settings.keys[other] = old;
            line = fill(tr("{1} is now {2}"), {ActionLabel::capitalName(action), KeyNames::nameOf(key)}) +
                   fill(tr("; {1} takes {2}"), {ActionLabel::capitalName(other), KeyNames::nameOf(old)});
            settings.keys[action] = key;
            action.clear();
            return Result::Bound;
        }
    }
    settings.keys[action] = key;
    line = fill(tr("{1} is now {2}"), {ActionLabel::capitalName(action), KeyNames::nameOf(key)});
    action.clear();
    return Result::Bound;
}
