#include "ui/Gui.hpp"

#include "common/FileCheck.hpp"
#include "ui/FormBuilder.hpp"
#include "ui/FormError.hpp"
#include "ui/FormReader.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace ui {

namespace {

// The game ships its font beside the executable; GUIs that were never given one (the in-game
// display) use it.
const char* const kFallbackFontPath = "Assets/arial.ttf";
const sf::Color kRingLight(255, 240, 200);
const sf::Color kRingDark(11, 17, 40);

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

std::vector<std::shared_ptr<Widget>> Gui::focusable() const {
    std::vector<std::shared_ptr<Widget>> reachable;
    for (const auto& entry : widgets) {
        if (canFocus(*entry.widget)) {
            reachable.push_back(entry.widget);
        }
    }
    return reachable;
}

std::shared_ptr<Widget> Gui::keyTarget() const {
    if (auto focused = getFocused()) {
        return focused;
    }
    const auto reachable = focusable();
    const auto resume = std::find(reachable.begin(), reachable.end(), resumeFrom.lock());
    if (resume != reachable.end()) {
        return *resume;
    }
    return reachable.empty() ? nullptr : reachable.front();
}

void Gui::showFocusOn(const std::shared_ptr<Widget>& widget) {
    // Only the focus shows which widget the keys act on; the pointer hovers again once it moves.
    for (auto& entry : widgets) {
        entry.widget->setHovered(false);
    }
    focusFromPointer = false;
    resumeFrom.reset();
    setFocused(widget);
}

void Gui::setResumePoint(const std::shared_ptr<Widget>& widget) {
    const bool held = std::any_of(widgets.begin(), widgets.end(),
                                  [&](const Entry& entry) { return entry.widget == widget; });
    if (held) {
        resumeFrom = widget;
    }
}

std::string Gui::focusName() const {
    const auto target = getFocused() ? getFocused() : resumeFrom.lock();
    for (const auto& entry : widgets) {
        if (entry.widget == target) {
            return entry.name;
        }
    }
    return "";
}

void Gui::restoreFocus(const std::string& name, bool show) {
    auto widget = name.empty() ? nullptr : get(name);
    if (!widget || !canFocus(*widget)) {
        const auto reachable = focusable();
        widget = reachable.empty() ? nullptr : reachable.front();
    }
    if (!widget) {
        return;
    }
    if (show) {
        showFocusOn(widget);
    } else {
        setFocused(nullptr);
        resumeFrom = widget;
    }
}

bool Gui::moveFocus(int step) {
    const auto reachable = focusable();
    const auto from = keyTarget();
    if (!from) {
        return false;
    }
    const int count = static_cast<int>(reachable.size());
    const auto current = std::find(reachable.begin(), reachable.end(), from);
    const int next = (static_cast<int>(current - reachable.begin()) + step + count) % count;
    showFocusOn(reachable[static_cast<std::size_t>(next)]);
    return true;
}

namespace {

// A widget off the line is nearer than one straight ahead only when it is much nearer.
const float kAcrossWeight = 2.0f;
// Centres closer than this along the direction count as level with each other.
const float kLevel = 1.0f;

sf::Vector2f directionOf(Gui::Move where) {
    switch (where) {
    case Gui::Move::Up:
        return {0, -1};
    case Gui::Move::Down:
        return {0, 1};
    case Gui::Move::Left:
        return {-1, 0};
    default:
        return {1, 0};
    }
}

// Where one widget lies from another, seen along a direction.
struct Placement {
    // How far its centre lies along the direction (negative: behind).
    float along = 0.0f;
    // The empty space between the two along the direction; 0 when they overlap.
    float gap = 0.0f;
    // How far its centre lies off the line through the other's centre.
    float across = 0.0f;
    // Whether it overlaps the band the other sweeps moving that way: a row stays a row, a column a column.
    bool inBand = false;
};

Placement placementOf(const Widget& from, const Widget& to, sf::Vector2f direction) {
    const bool vertical = direction.y != 0.0f;
    const auto span = [vertical](const Widget& widget, bool major) {
        const bool useY = major == vertical;
        const float start = useY ? widget.getPosition().y : widget.getPosition().x;
        const float length = useY ? widget.getSize().y : widget.getSize().x;
        return std::pair{start, start + length};
    };
    const auto [fromStart, fromEnd] = span(from, true);
    const auto [toStart, toEnd] = span(to, true);
    const auto [fromSide, fromSideEnd] = span(from, false);
    const auto [toSide, toSideEnd] = span(to, false);
    const float sign = vertical ? direction.y : direction.x;
    Placement placement;
    placement.along = sign * ((toStart + toEnd) - (fromStart + fromEnd)) / 2.0f;
    placement.gap = std::max(0.0f, sign > 0 ? toStart - fromEnd : fromStart - toEnd);
    placement.across = std::abs((toSide + toSideEnd) - (fromSide + fromSideEnd)) / 2.0f;
    placement.inBand = toSide < fromSideEnd && toSideEnd > fromSide;
    return placement;
}

// Of two widgets ahead, the one in the band wins; then the nearer, a step off the line counting double.
bool nearerAhead(const Placement& a, const Placement& b) {
    if (a.inBand != b.inBand) {
        return a.inBand;
    }
    return a.gap + kAcrossWeight * a.across < b.gap + kAcrossWeight * b.across;
}

// Round the edge: the one farthest behind comes first, as if it lay just beyond the edge.
bool firstRoundTheEdge(const Placement& a, const Placement& b) {
    if (a.inBand != b.inBand) {
        return a.inBand;
    }
    return a.along + kAcrossWeight * a.across < b.along + kAcrossWeight * b.across;
}

} // namespace

bool Gui::moveByPlace(Move where) {
    const auto from = keyTarget();
    if (!from) {
        return false;
    }
    const sf::Vector2f direction = directionOf(where);
    std::shared_ptr<Widget> ahead;
    std::shared_ptr<Widget> wrapped;
    Placement bestAhead;
    Placement bestWrapped;
    for (const auto& widget : focusable()) {
        if (widget == from) {
            continue;
        }
        const Placement placement = placementOf(*from, *widget, direction);
        if (placement.along > kLevel && (!ahead || nearerAhead(placement, bestAhead))) {
            ahead = widget;
            bestAhead = placement;
        } else if (placement.along < -kLevel && (!wrapped || firstRoundTheEdge(placement, bestWrapped))) {
            wrapped = widget;
            bestWrapped = placement;
        }
    }
    const auto next = ahead ? ahead : wrapped;
    if (!next) {
        return false;
    }
    showFocusOn(next);
    return true;
}

bool Gui::move(Move where) {
    // This copy keeps the widget alive while its handlers run, even if they destroy this Gui.
    const std::shared_ptr<Widget> focused = getFocused();
    switch (where) {
    case Move::Previous:
        return moveFocus(-1);
    case Move::Next:
        return moveFocus(1);
    case Move::Activate: {
        const std::shared_ptr<Widget> target = keyTarget();
        if (!target) {
            return false;
        }
        showFocusOn(target);
        target->activate();
        return true;
    }
    case Move::Left:
    case Move::Right:
        if (focused &&
            focused->focusedKeyPressed(where == Move::Left ? sf::Keyboard::Left : sf::Keyboard::Right)) {
            return true;
        }
        return moveByPlace(where);
    case Move::Up:
    case Move::Down:
        return moveByPlace(where);
    }
    return false;
}

bool Gui::keyPressed(const sf::Event::KeyEvent& key) {
    switch (key.code) {
    case sf::Keyboard::Up:
        return move(Move::Up);
    case sf::Keyboard::Down:
        return move(Move::Down);
    case sf::Keyboard::Left:
        return move(Move::Left);
    case sf::Keyboard::Right:
        return move(Move::Right);
    default:
        break;
    }
    if (const auto focused = getFocused(); focused && focused->focusedKeyPressed(key.code)) {
        return true;
    }
    switch (key.code) {
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
    if (const auto focused = getFocused(); focused && !focusFromPointer) {
        drawFocusRing(*focused);
    }
    target->setView(previous);
}

void Gui::drawFocusRing(const Widget& widget) const {
    // A light ring inside a dark one reads on the dark menu panels and on the bright title picture alike.
    const float gap = 4.0f;
    const float thickness = 2.0f;
    for (const auto& [inset, colour] : {std::pair{0.0f, kRingDark}, std::pair{thickness, kRingLight}}) {
        const float grow = gap + thickness - inset;
        const sf::FloatRect area = widget.focusArea();
        sf::RectangleShape ring({area.width + 2 * grow, area.height + 2 * grow});
        ring.setPosition(area.left - grow, area.top - grow);
        ring.setFillColor(sf::Color::Transparent);
        ring.setOutlineColor(colour);
        ring.setOutlineThickness(-thickness);
        target->draw(ring);
    }
}

} // namespace ui
