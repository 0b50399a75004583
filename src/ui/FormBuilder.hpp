#pragma once

#include "ui/FormSection.hpp"
#include "ui/FormValue.hpp"
#include "ui/Renderer.hpp"
#include "ui/Widget.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class Slider;

// Turns the sections of a widget file into widgets. Throws FormError on the first problem, before
// anything is handed out, so a failed load never leaves half a form. Unknown keys of known widgets
// get one warning line each on sf::err(). Texture files are resolved relative to the form's folder.
class FormBuilder {
public:
    using NamedWidgets = std::vector<std::pair<std::string, std::shared_ptr<Widget>>>;

    // `knownWindowSize` is what percentages refer to; without it they are an error.
    FormBuilder(std::string sourceName, std::optional<sf::Vector2f> knownWindowSize,
                std::shared_ptr<const sf::Font> widgetFont);

    NamedWidgets build(const std::vector<FormSection>& sections);

    // A widget type the files may name, with the keys it understands.
    struct WidgetKind;

private:
    std::shared_ptr<Widget> buildWidget(const FormSection& section, const WidgetKind& kind);
    void applyRenderer(Widget& widget, const FormSection& section, const WidgetKind& kind);
    std::shared_ptr<Renderer> buildRenderer(const FormSection& section, const std::set<std::string>& keys);
    void applyKindKeys(Widget& widget, const FormSection& section);
    void applySliderKeys(Slider& slider, const FormSection& section);
    void applyLayout(Widget& widget, const FormSection& section);
    UiTexture loadTexture(const FormValue& value);
    FormValue valueOf(const FormSection::Property& property) const;
    void warnUnknownKey(const std::string& key, int line, const std::string& owner) const;

    std::string source;
    std::optional<sf::Vector2f> windowSize;
    std::shared_ptr<const sf::Font> font;
    std::map<std::string, std::shared_ptr<Renderer>> sharedRenderers;
    std::map<std::pair<std::string, bool>, std::shared_ptr<sf::Texture>> textures;
};

} // namespace ui
