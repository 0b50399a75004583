#pragma once

#include "ui/Widget.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// Holds widgets, draws them and turns mouse events into hover, press and click, and keys into focus
// moves and activation. Widgets added later are drawn on top and win the hit test. Tab visits the widgets
// that take the focus in the order they were added (a form's order); the arrows go to the nearest one in
// their direction, wrapping round at the edges. The focused widget is drawn with a ring around it, so the
// focus shows by shape as well as colour. Widgets live in the Gui's own view (by default the target's
// pixels), shown in a part of the target (by default all of it); events outside that part hit nothing.
class Gui {
public:
    // What the keyboard or a pad asks of the focus.
    // Previous and Next follow the widgets' order; Up, Down, Left and Right their places.
    enum class Move { Previous, Next, Activate, Left, Right, Up, Down };

    // Without a target nothing is drawn and percentages in forms cannot be worked out.
    Gui() = default;
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    // The target must outlive the Gui or be replaced first.
    void setTarget(sf::RenderTarget& newTarget) { target = &newTarget; }
    sf::RenderTarget* getTarget() const { return target; }

    // The coordinates the widgets are placed in; percentages in forms are of its size. Unset, it is the
    // target's pixels.
    void setAbsoluteView(const sf::FloatRect& area) { view = area; }
    // The part of the target the view is shown in, in fractions of the target's size.
    void setRelativeViewport(const sf::FloatRect& part) { viewport = part; }
    // The view the widgets are drawn through, viewport included.
    sf::View getView() const;

    // Keeps its own copy. Without any font the Gui tries the game's font file once when it first needs
    // one, and draws no text if that fails.
    void setFont(const sf::Font& newFont);
    // False (and the font unchanged) when the file cannot be loaded.
    bool setFont(const std::string& path);
    const sf::Font* getFont() const { return font.get(); }

    // Throws FormError "<path>: cannot open the form file", or for any problem in the file; the Gui
    // is then left as it was. With `replaceExisting` the loaded widgets replace all held ones.
    void loadWidgetsFromFile(const std::string& path, bool replaceExisting = true);
    // As loadWidgetsFromFile; `sourceName` names the text in errors and its folder holds the textures.
    void loadWidgetsFromString(const std::string& text, const std::string& sourceName,
                               bool replaceExisting = true);

    void add(std::shared_ptr<Widget> widget, const std::string& name = "");
    // False when the widget is not held.
    bool remove(const std::shared_ptr<Widget>& widget);
    void removeAllWidgets();

    // The first widget of that name; nullptr when there is none.
    std::shared_ptr<Widget> get(const std::string& name) const;
    // nullptr when missing or of another type.
    template <class T> std::shared_ptr<T> get(const std::string& name) const {
        return std::dynamic_pointer_cast<T>(get(name));
    }
    std::vector<std::shared_ptr<Widget>> getWidgets() const;

    // The top-most visible widget under `point` (window pixels) that does not ignore the mouse,
    // disabled ones included; nullptr when there is none.
    std::shared_ptr<Widget> getWidgetAt(sf::Vector2f point) const;

    // Reacts to MouseMoved, MouseButtonPressed/Released (left button) and MouseLeft, at the event's
    // target pixel mapped into the view; returns whether a widget was under the mouse. Hovering a widget
    // that takes the focus gives it the focus. Keys: the focused widget sees each key first; then the
    // arrows move the focus by place, Shift+Tab and Tab by order, Enter and Space activate (as move());
    // returns whether the key was used. Click handlers run inside this call and may destroy this Gui.
    bool handleEvent(const sf::Event& event);

    // The keys act from the focused widget or, while no focus shows, from the resume point (the first
    // widget that takes the focus unless set): every press moves or clicks at once. Previous/Next move to
    // the widget before or after it, wrapping round; Up, Down, Left and Right to the nearest widget in
    // that direction, or round to the far side when there is none. Left
    // and Right go to the focused widget first (a slider takes them). False when nothing happened. An
    // activation runs the click handlers, which may destroy this Gui.
    bool move(Move where);
    // The focused widget; nullptr when none has it.
    std::shared_ptr<Widget> getFocused() const;
    // Gives the focus to a held widget that takes it, or clears it with nullptr; false otherwise.
    bool setFocused(const std::shared_ptr<Widget>& widget);
    // Where the keys carry on from while no focus shows; a widget that is not held is ignored.
    void setResumePoint(const std::shared_ptr<Widget>& widget);
    // The name of the focused widget, else of the resume point; empty when neither has a name.
    std::string focusName() const;
    // Puts the focus on the named widget (or the first that takes it, when none has that name), shown
    // or only as the resume point. For a screen coming back: the keys carry on where the player left.
    void restoreFocus(const std::string& name, bool show);

    // Draws the visible widgets through the Gui's view, whatever view the target has; the target's view
    // is restored afterwards.
    void draw();

private:
    struct Entry {
        std::string name;
        std::shared_ptr<Widget> widget;
    };

    void useFont(std::shared_ptr<const sf::Font> newFont);
    void ensureFont();
    // The point in the view under a target pixel; empty outside the viewport.
    std::optional<sf::Vector2f> toView(int x, int y) const;
    std::shared_ptr<Widget> widgetAt(const std::optional<sf::Vector2f>& point) const;
    void updateHover(const std::optional<sf::Vector2f>& point);
    bool leftMouseReleased(const std::optional<sf::Vector2f>& point);
    bool keyPressed(const sf::Event::KeyEvent& key);
    bool moveFocus(int step);
    bool moveByPlace(Move where);
    std::vector<std::shared_ptr<Widget>> focusable() const;
    // The widget the keys act on: the focused one, else the resume point, else the first that takes it.
    std::shared_ptr<Widget> keyTarget() const;
    void showFocusOn(const std::shared_ptr<Widget>& widget);
    void drawFocusRing(const Widget& widget) const;
    void pointerLeft();
    static bool canFocus(const Widget& widget);

    std::vector<Entry> widgets;
    sf::RenderTarget* target = nullptr;
    std::optional<sf::FloatRect> view;
    sf::FloatRect viewport{0, 0, 1, 1};
    std::shared_ptr<const sf::Font> font;
    bool fallbackFontTried = false;
    bool focusFromPointer = false;
    // Where the keys carry on after the pointer took its focus away.
    std::weak_ptr<Widget> resumeFrom;
};

} // namespace ui
