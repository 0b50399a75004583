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

void Gui::useFont(std::shared_ptr<const sf::Font> font) {
    m_font = std::move(font);
    for (auto& entry : m_widgets)
        entry.widget->setFont(m_font);
}

void Gui::setFont(const sf::Font& font) {
    useFont(std::make_shared<const sf::Font>(font));
}

bool Gui::setFont(const std::string& path) {
    auto font = std::make_shared<sf::Font>();
    if (!FileCheck::mayRead(path) || !font->loadFromFile(path))
        return false;
    useFont(std::move(font));
    return true;
}

void Gui::ensureFont() {
    if (m_font || m_fallbackFontTried)
        return;
    m_fallbackFontTried = true;
    setFont(std::string(kFallbackFontPath));
}

void Gui::loadWidgetsFromFile(const std::string& path, bool replaceExisting) {
    if (const std::string problem = FileCheck::problemWith(path, FileCheck::kLargestForm); !problem.empty())
        throw FormError(path, problem);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw FormError(path, "cannot open the form file");
    std::ostringstream text;
    text << file.rdbuf();
    loadWidgetsFromString(text.str(), path, replaceExisting);
}

void Gui::loadWidgetsFromString(const std::string& text, const std::string& sourceName,
                                bool replaceExisting) {
    ensureFont();
    std::optional<sf::Vector2f> windowSize;
    if (m_view) {
        windowSize = sf::Vector2f(m_view->width, m_view->height);
    } else if (m_target) {
        windowSize = sf::Vector2f(m_target->getSize());
    }
    // Everything is built before the held widgets are touched, so a bad form changes nothing.
    const auto widgets =
        FormBuilder(sourceName, windowSize, m_font).build(FormReader::read(text, sourceName));
    if (replaceExisting)
        m_widgets.clear();
    for (const auto& [name, widget] : widgets)
        add(widget, name);
}

void Gui::add(std::shared_ptr<Widget> widget, const std::string& name) {
    if (!widget)
        return;
    widget->setFont(m_font);
    m_widgets.push_back({name, std::move(widget)});
}

bool Gui::remove(const std::shared_ptr<Widget>& widget) {
    const auto found = std::find_if(m_widgets.begin(), m_widgets.end(),
                                    [&](const Entry& entry) { return entry.widget == widget; });
    if (found == m_widgets.end())
        return false;
    m_widgets.erase(found);
    return true;
}

void Gui::removeAllWidgets() {
    m_widgets.clear();
}

std::shared_ptr<Widget> Gui::get(const std::string& name) const {
    for (const auto& entry : m_widgets)
        if (entry.name == name)
            return entry.widget;
    return nullptr;
}

std::vector<std::shared_ptr<Widget>> Gui::getWidgets() const {
    std::vector<std::shared_ptr<Widget>> widgets;
    for (const auto& entry : m_widgets)
        widgets.push_back(entry.widget);
    return widgets;
}

std::shared_ptr<Widget> Gui::getWidgetAt(sf::Vector2f point) const {
    for (auto entry = m_widgets.rbegin(); entry != m_widgets.rend(); ++entry) {
        const auto& widget = entry->widget;
        if (widget->isVisible() && !widget->ignoresMouse() && widget->isMouseOnWidget(point))
            return widget;
    }
    return nullptr;
}

std::shared_ptr<Widget> Gui::widgetAt(const std::optional<sf::Vector2f>& point) const {
    return point ? getWidgetAt(*point) : nullptr;
}

sf::View Gui::getView() const {
    sf::FloatRect area(0, 0, 0, 0);
    if (m_view) {
        area = *m_view;
    } else if (m_target) {
        area = {0, 0, static_cast<float>(m_target->getSize().x), static_cast<float>(m_target->getSize().y)};
    }
    sf::View view(area);
    view.setViewport(m_viewport);
    return view;
}

std::optional<sf::Vector2f> Gui::toView(int x, int y) const {
    const sf::Vector2f pixel(static_cast<float>(x), static_cast<float>(y));
    if (!m_target) {
        return pixel;
    }
    const sf::View view = getView();
    if (!m_target->getViewport(view).contains(x, y)) {
        return std::nullopt;
    }
    return m_target->mapPixelToCoords({x, y}, view);
}

void Gui::updateHover(const std::optional<sf::Vector2f>& point) {
    const auto top = widgetAt(point);
    for (auto& entry : m_widgets) {
        entry.widget->setHovered(top && entry.widget == top && top->isEnabled());
    }
}

bool Gui::handleEvent(const sf::Event& event) {
    ensureFont();
    switch (event.type) {
    case sf::Event::MouseMoved: {
        const auto point = toView(event.mouseMove.x, event.mouseMove.y);
        updateHover(point);
        return widgetAt(point) != nullptr;
    }
    case sf::Event::MouseButtonPressed: {
        const auto point = toView(event.mouseButton.x, event.mouseButton.y);
        updateHover(point);
        const auto top = widgetAt(point);
        if (top && event.mouseButton.button == sf::Mouse::Left)
            top->leftMousePressed();
        return top != nullptr;
    }
    case sf::Event::MouseButtonReleased: {
        const auto point = toView(event.mouseButton.x, event.mouseButton.y);
        if (event.mouseButton.button == sf::Mouse::Left)
            return leftMouseReleased(point);
        return widgetAt(point) != nullptr;
    }
    case sf::Event::MouseLeft:
        for (auto& entry : m_widgets)
            entry.widget->setHovered(false);
        return false;
    default:
        return false;
    }
}

bool Gui::leftMouseReleased(const std::optional<sf::Vector2f>& point) {
    updateHover(point);
    // This copy keeps the widget alive while its handlers run, even if they destroy this Gui.
    const std::shared_ptr<Widget> top = widgetAt(point);
    for (auto& entry : m_widgets)
        if (entry.widget != top)
            entry.widget->leftMouseButtonNoLongerDown();
    if (!top)
        return false;
    // From here on `this` may be gone: only the local widget is touched.
    if (top->isEnabled())
        top->leftMouseReleased();
    else
        top->leftMouseButtonNoLongerDown();
    return true;
}

void Gui::draw() {
    if (!m_target)
        return;
    ensureFont();
    const sf::View previous = m_target->getView();
    m_target->setView(getView());
    for (const auto& entry : m_widgets)
        if (entry.widget->isVisible())
            entry.widget->draw(*m_target, m_font.get());
    m_target->setView(previous);
}

} // namespace ui
