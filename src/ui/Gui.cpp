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
    case sf::Event::MouseLeft:
        for (auto& entry : widgets) {
            entry.widget->setHovered(false);
        }
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
