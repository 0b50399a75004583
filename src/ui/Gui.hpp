#pragma once

#include "ui/Widget.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Event.hpp>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

/// Holds widgets, draws them in the window's pixel coordinates and turns mouse events into hover,
/// press and click. Widgets added later are drawn on top and win the hit test.
class Gui {
public:
    /// Without a target nothing is drawn and percentages in forms cannot be worked out.
    Gui() = default;
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    /// The target must outlive the Gui or be replaced first.
    void setTarget(sf::RenderTarget& target) { m_target = &target; }
    sf::RenderTarget* getTarget() const { return m_target; }

    /// Keeps its own copy. Without any font the Gui tries the game's font file once when it first needs
    /// one, and draws no text if that fails.
    void setFont(const sf::Font& font);
    /// False (and the font unchanged) when the file cannot be loaded.
    bool setFont(const std::string& path);
    const sf::Font* getFont() const { return m_font.get(); }

    /// Throws FormError "<path>: cannot open the form file", or for any problem in the file; the Gui
    /// is then left as it was. With `replaceExisting` the loaded widgets replace all held ones.
    void loadWidgetsFromFile(const std::string& path, bool replaceExisting = true);
    /// As loadWidgetsFromFile; `sourceName` names the text in errors and its folder holds the textures.
    void loadWidgetsFromString(const std::string& text, const std::string& sourceName,
                               bool replaceExisting = true);

    void add(std::shared_ptr<Widget> widget, const std::string& name = "");
    /// False when the widget is not held.
    bool remove(const std::shared_ptr<Widget>& widget);
    void removeAllWidgets();

    /// The first widget of that name; nullptr when there is none.
    std::shared_ptr<Widget> get(const std::string& name) const;
    /// nullptr when missing or of another type.
    template <class T> std::shared_ptr<T> get(const std::string& name) const {
        return std::dynamic_pointer_cast<T>(get(name));
    }
    std::vector<std::shared_ptr<Widget>> getWidgets() const;

    /// The top-most visible widget under `point` (window pixels) that does not ignore the mouse,
    /// disabled ones included; nullptr when there is none.
    std::shared_ptr<Widget> getWidgetAt(sf::Vector2f point) const;

    /// Reacts to MouseMoved, MouseButtonPressed/Released (left button) and MouseLeft; returns whether a
    /// widget was under the mouse. Click handlers run inside this call and may destroy this Gui.
    bool handleEvent(const sf::Event& event);

    /// Draws the visible widgets in the target's pixel coordinates, whatever view is set; the view is
    /// restored afterwards.
    void draw();

private:
    struct Entry {
        std::string name;
        std::shared_ptr<Widget> widget;
    };

    void useFont(std::shared_ptr<const sf::Font> font);
    void ensureFont();
    void updateHover(sf::Vector2f point);
    bool leftMouseReleased(sf::Vector2f point);

    std::vector<Entry> m_widgets;
    sf::RenderTarget* m_target = nullptr;
    std::shared_ptr<const sf::Font> m_font;
    bool m_fallbackFontTried = false;
};

} // namespace ui
