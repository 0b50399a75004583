#include "ui/Gui.hpp"

#include "assets/FileCheck.hpp"
#include "ui/FormBuilder.hpp"
#include "ui/FormError.hpp"
#include "ui/FormReader.hpp"

#include <SFML/Graphics/View.hpp>
#include <algorithm>
#include <fstream>
#include <sstream>

namespace ui {

namespace {

// The game ships its font beside the executable; GUIs that were never given one (the in-game
// display) use it.
const char* const kFallbackFontPath = "Assets/arial.ttf";

} // namespace

void Gui::useFont(std::shared_ptr<const sf::Font> newFont) {
    font = std::move(newFont);
    for (auto& entry : widgets) {
        entry.widget->setFont(font);
    }
}

void Gui::setFont(const sf::Font& newFont) {
    useFont(std::make_shared<const sf::Font>(newFont));
}

bool Gui::setFont(const std::string& path) {
    auto loaded = std::make_shared<sf::Font>();
    if (!FileCheck::mayRead(path) || !loaded->loadFromFile(path)) {
        return false;
    }
    useFont(std::move(loaded));
    return true;
}

void Gui::ensureFont() {
    if (font || fallbackFontTried) {
        return;
    }
    fallbackFontTried = true;
    setFont(std::string(kFallbackFontPath));
}

void Gui::loadWidgetsFromFile(const std::string& path, bool replaceExisting) {
    if (const std::string problem = FileCheck::problemWith(path, FileCheck::kLargestForm); !problem.empty()) {
        throw FormError(path, problem);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw FormError(path, "cannot open the form file");
    }
    std::ostringstream text;
    text << file.rdbuf();
    loadWidgetsFromString(text.str(), path, replaceExisting);
}

void Gui::loadWidgetsFromString(const std::string& text, const std::string& sourceName,
                                bool replaceExisting) {
    ensureFont();
    std::optional<sf::Vector2f> windowSize;
    if (view) {
        windowSize = sf::Vector2f(view->width, view->height);
    } else if (target) {
        windowSize = sf::Vector2f(target->getSize());
    }
    // Everything is built before the held widgets are touched, so a bad form changes nothing.
    const auto built = FormBuilder(sourceName, windowSize, font).build(FormReader::read(text, sourceName));
    if (replaceExisting) {
        widgets.clear();
    }
    for (const auto& [name, widget] : built) {
        add(widget, name);
    }
}

void Gui::add(std::shared_ptr<Widget> widget, const std::string& name) {
    if (!widget) {
        return;
    }
    widget->setFont(font);
    widgets.push_back({name, std::move(widget)});
}

bool Gui::remove(const std::shared_ptr<Widget>& widget) {
    const auto found = std::find_if(widgets.begin(), widgets.end(),
                                    [&](const Entry& entry) { return entry.widget == widget; });
    if (found == widgets.end()) {
        return false;
    }
    widgets.erase(found);
    return true;
}

void Gui::removeAllWidgets() {
    widgets.clear();
}

std::shared_ptr<Widget> Gui::get(const std::string& name) const {
    for (const auto& entry : widgets) {
        if (entry.name == name) {
            return entry.widget;
        }
    }
    return nullptr;
}

std::vector<std::shared_ptr<Widget>> Gui::getWidgets() const {
    std::vector<std::shared_ptr<Widget>> held;
    for (const auto& entry : widgets) {
        held.push_back(entry.widget);
    }
    return held;
}

std::shared_ptr<Widget> Gui::getWidgetAt(sf::Vector2f point) const {
    for (auto entry = widgets.rbegin(); entry != widgets.rend(); ++entry) {
        const auto& widget = entry->widget;
        if (widget->isVisible() && !widget->ignoresMouse() && widget->isMouseOnWidget(point)) {
            return widget;
        }
    }
    return nullptr;
}

std::shared_ptr<Widget> Gui::widgetAt(const std::optional<sf::Vector2f>& point) const {
    return point ? getWidgetAt(*point) : nullptr;
}

sf::View Gui::getView() const {
    sf::FloatRect area(0, 0, 0, 0);
    if (view) {
        area = *view;
    } else if (target) {
        area = {0, 0, static_cast<float>(target->getSize().x), static_cast<float>(target->getSize().y)};
    }
    sf::View guiView(area);
    guiView.setViewport(viewport);
    return guiView;
}

std::optional<sf::Vector2f> Gui::toView(int x, int y) const {
    const sf::Vector2f pixel(static_cast<float>(x), static_cast<float>(y));
    if (!target) {
        return pixel;
    }
    const sf::View guiView = getView();
    if (!target->getViewport(guiView).contains(x, y)) {
        return std::nullopt;
    }
    return target->mapPixelToCoords({x, y}, guiView);
}

void Gui::updateHover(const std::optional<sf::Vector2f>& point) {
    const auto top = widgetAt(point);
    for (auto& entry : widgets) {
        entry.widget->setHovered(top && entry.widget == top && top->isEnabled());
    }
    if (top && canFocus(*top)) {
        setFocused(top);
        focusFromPointer = true;
    } else {
        pointerLeft();
    }
}

void Gui::pointerLeft() {
    // A focus the pointer gave goes with the pointer, so the mouse alone shows what it always did; the
    // keys carry on from that widget.
    if (focusFromPointer) {
        resumeFrom = getFocused();
        setFocused(nullptr);
        focusFromPointer = false;
    }
}

bool Gui::canFocus(const Widget& widget) {
    return widget.takesFocus() && widget.isVisible() && widget.isEnabled();
}

std::shared_ptr<Widget> Gui::getFocused() const {
    for (const auto& entry : widgets) {
        if (entry.widget->isFocused()) {
            return entry.widget;
        }
    }
    return nullptr;
}

bool Gui::setFocused(const std::shared_ptr<Widget>& widget) {
    const bool held = std::any_of(widgets.begin(), widgets.end(),
                                  [&](const Entry& entry) { return entry.widget == widget; });
    if (widget && (!held || !canFocus(*widget))) {
        return false;
    }
    for (auto& entry : widgets) {
        entry.widget->setFocused(entry.widget == widget);
    }
    return true;
}

bool Gui::moveFocus(int step) {
    std::vector<std::shared_ptr<Widget>> reachable;
    for (const auto& entry : widgets) {
        if (canFocus(*entry.widget)) {
            reachable.push_back(entry.widget);
        }
    }
    if (reachable.empty()) {
        return false;
    }
    const int count = static_cast<int>(reachable.size());
    const std::shared_ptr<Widget> focused = getFocused();
    const auto current = std::find(reachable.begin(), reachable.end(), focused ? focused : resumeFrom.lock());
    int next = step > 0 ? 0 : count - 1;
    if (current != reachable.end()) {
        next = (static_cast<int>(current - reachable.begin()) + step + count) % count;
    }
    // Only the focus shows which widget the keys act on; the pointer hovers again once it moves.
    for (auto& entry : widgets) {
        entry.widget->setHovered(false);
    }
    focusFromPointer = false;
    resumeFrom.reset();
    return setFocused(reachable[static_cast<std::size_t>(next)]);
}

bool Gui::move(Move where) {
    // This copy keeps the widget alive while its handlers run, even if they destroy this Gui.
    const std::shared_ptr<Widget> focused = getFocused();
    switch (where) {
    case Move::Previous:
        return moveFocus(-1);
    case Move::Next:
        return moveFocus(1);
    case Move::Activate:
        if (!focused) {
            return moveFocus(1);
        }
        focused->activate();
        return true;
    case Move::Left:
        return focused && focused->focusedKeyPressed(sf::Keyboard::Left);
    case Move::Right:
        return focused && focused->focusedKeyPressed(sf::Keyboard::Right);
    }
    return false;
}

bool Gui::keyPressed(const sf::Event::KeyEvent& key) {
    if (const auto focused = getFocused(); focused && focused->focusedKeyPressed(key.code)) {
        return true;
    }
    switch (key.code) {
    case sf::Keyboard::Up:
        return move(Move::Previous);
    case sf::Keyboard::Down:
        return move(Move::Next);
    case sf::Keyboard::Tab:
        return move(key.shift ? Move::Previous : Move::Next);
    case sf::Keyboard::Enter:
        // Alt+Enter belongs to the window (fullscreen).
        return !key.alt && move(Move::Activate);
    case sf::Keyboard::Space:
        return move(Move::Activate);
    default:
        return false;
    }
}

bool Gui::handleEvent(const sf::Event& event) {
    ensureFont();
    switch (event.type) {
    case sf::Event::MouseMoved: {
        const auto point = toView(event.mouseMove.x, event.mouseMove.y);
        updateHover(point);
        for (auto& entry : widgets) {
            if (point && entry.widget->isPressed()) {
                entry.widget->mouseDragged(*point);
            }
        }
        return widgetAt(point) != nullptr;
    }
    case sf::Event::MouseButtonPressed: {
        const auto point = toView(event.mouseButton.x, event.mouseButton.y);
        updateHover(point);
        const auto top = widgetAt(point);
        if (top && event.mouseButton.button == sf::Mouse::Left) {
            top->leftMousePressed();
            if (top->isPressed()) {
                top->mouseDragged(*point);
            }
        }
        return top != nullptr;
    }
    case sf::Event::MouseButtonReleased: {
        const auto point = toView(event.mouseButton.x, event.mouseButton.y);
        if (event.mouseButton.button == sf::Mouse::Left) {
            return leftMouseReleased(point);
        }
        return widgetAt(point) != nullptr;
    }
    case sf::Event::KeyPressed:
        return keyPressed(event.key);
    case sf::Event::MouseLeft:
        for (auto& entry : widgets) {
            entry.widget->setHovered(false);
        }
        pointerLeft();
        return false;
    default:
        return false;
    }
}

bool Gui::leftMouseReleased(const std::optional<sf::Vector2f>& point) {
    updateHover(point);
    // This copy keeps the widget alive while its handlers run, even if they destroy this Gui.
    const std::shared_ptr<Widget> top = widgetAt(point);
    for (auto& entry : widgets) {
        if (entry.widget != top) {
            entry.widget->leftMouseButtonNoLongerDown();
        }
    }
    if (!top) {
        return false;
    }
    // From here on `this` may be gone: only the local widget is touched.
    if (top->isEnabled()) {
        top->leftMouseReleased();
    } else {
        top->leftMouseButtonNoLongerDown();
    }
    return true;
}

void Gui::draw() {
    if (!target) {
        return;
    }
    ensureFont();
    const sf::View previous = target->getView();
    target->setView(getView());
    for (const auto& entry : widgets) {
        if (entry.widget->isVisible()) {
            entry.widget->draw(*target, font.get());
        }
    }
    target->setView(previous);
}

} // namespace ui
