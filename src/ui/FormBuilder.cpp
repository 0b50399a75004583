#include "ui/FormBuilder.hpp"

#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "ui/BitmapButton.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/FormError.hpp"
#include "ui/Label.hpp"
#include "ui/Picture.hpp"
#include "ui/Slider.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>
#include <functional>

namespace ui {

struct FormBuilder::WidgetKind {
    std::string type;
    std::function<std::shared_ptr<Widget>()> create;
    std::set<std::string> keys;      // besides the keys every widget has
    std::set<std::string> styleKeys; // keys of its Renderer section
};

namespace {

// Far beyond any menu, and small enough that drawing the text cannot run out of memory.
constexpr unsigned kLargestTextSize = 1000;

const std::set<std::string> kCommonKeys = {"Position", "Size", "Visible", "Enabled", "Renderer"};

std::set<std::string> withVariants(const std::set<std::string>& keys, const std::set<std::string>& variants) {
    std::set<std::string> all = {"Borders"};
    for (const auto& key : keys) {
        for (const auto& variant : variants) {
            all.insert(key + variant);
        }
    }
    return all;
}

const std::vector<FormBuilder::WidgetKind>& widgetKinds() {
    static const std::set<std::string> buttonStyle = withVariants(
        {"TextColor", "BackgroundColor", "BorderColor", "Texture"}, {"", "Hover", "Down", "Disabled"});
    static const std::vector<FormBuilder::WidgetKind> kinds = {
        {"Button", [] { return Button::create(); }, {"Text", "TextSize"}, buttonStyle},
        {"BitmapButton", [] { return BitmapButton::create(); }, {"Text", "TextSize", "Image"}, buttonStyle},
        {"CheckBox",
         [] { return CheckBox::create(); },
         {"Text", "TextSize", "Checked"},
         withVariants({"TextColor", "BackgroundColor", "BorderColor", "CheckColor", "TextureUnchecked",
                       "TextureChecked"},
                      {"", "Hover", "Disabled"})},
        {"Label",
         [] { return Label::create(); },
         {"Text", "TextSize"},
         withVariants({"TextColor", "BackgroundColor", "BorderColor"}, {""})},
        {"Picture", [] { return Picture::create(); }, {"IgnoreMouseEvents"}, {"Texture"}},
        {"Slider",
         [] { return Slider::create(); },
         {"Minimum", "Maximum", "Value", "Step"},
         withVariants({"TrackColor", "SelectedTrackColor", "ThumbColor", "BorderColor"}, {"", "Hover"})},
    };
    return kinds;
}

const FormBuilder::WidgetKind* findKind(const std::string& type) {
    for (const auto& kind : widgetKinds()) {
        if (kind.type == type) {
            return &kind;
        }
    }
    return nullptr;
}

// Shared styles may serve any kind of widget.
const std::set<std::string>& everyStyleKey() {
    static const std::set<std::string> keys = [] {
        std::set<std::string> all;
        for (const auto& kind : widgetKinds()) {
            all.insert(kind.styleKeys.begin(), kind.styleKeys.end());
        }
        return all;
    }();
    return keys;
}

} // namespace

FormBuilder::FormBuilder(std::string sourceName, std::optional<sf::Vector2f> knownWindowSize,
                         std::shared_ptr<const sf::Font> widgetFont)
    : source(std::move(sourceName)), windowSize(knownWindowSize), font(std::move(widgetFont)) {}

FormValue FormBuilder::valueOf(const FormSection::Property& property) const {
    return FormValue(property.value, source, property.line);
}

void FormBuilder::warnUnknownKey(const std::string& key, int line, const std::string& owner) const {
    sf::err() << source << ":" << line << ": warning: unknown key '" << key << "' in '" << owner
              << "' is ignored" << std::endl;
}

FormBuilder::NamedWidgets FormBuilder::build(const std::vector<FormSection>& sections) {
    // Shared styles first: a widget may refer to one written further down.
    for (const auto& section : sections) {
        if (section.type != "Renderer") {
            continue;
        }
        if (section.name.empty()) {
            throw FormError(source, section.line, "a shared Renderer section needs an id: Renderer.<id>");
        }
        sharedRenderers[section.name] = buildRenderer(section, everyStyleKey());
    }
    NamedWidgets widgets;
    for (const auto& section : sections) {
        if (section.type == "Renderer") {
            continue;
        }
        const WidgetKind* kind = findKind(section.type);
        if (!kind) {
            throw FormError(source, section.line, "unknown widget type '" + section.type + "'");
        }
        widgets.emplace_back(section.name, buildWidget(section, *kind));
    }
    return widgets;
}

std::shared_ptr<Widget> FormBuilder::buildWidget(const FormSection& section, const WidgetKind& kind) {
    for (const auto& child : section.sections) {
        if (child.type != "Renderer" || !child.name.empty()) {
            throw FormError(source, child.line,
                            "'" + section.header() + "' cannot hold a section '" + child.header() + "'");
        }
    }
    for (const auto& [key, property] : section.properties) {
        if (!kCommonKeys.count(key) && !kind.keys.count(key)) {
            warnUnknownKey(key, property.line, section.header());
        }
    }

    auto widget = kind.create();
    widget->setFont(font);
    applyRenderer(*widget, section, kind);
    applyKindKeys(*widget, section);
    if (const auto visible = section.properties.find("Visible"); visible != section.properties.end()) {
        widget->setVisible(valueOf(visible->second).toBool());
    }
    if (const auto enabled = section.properties.find("Enabled"); enabled != section.properties.end()) {
        widget->setEnabled(valueOf(enabled->second).toBool());
    }
    applyLayout(*widget, section);
    return widget;
}

void FormBuilder::applyRenderer(Widget& widget, const FormSection& section, const WidgetKind& kind) {
    // Nested sections were checked to be Renderer sections: the widget's own style.
    if (!section.sections.empty()) {
        widget.setRenderer(buildRenderer(section.sections.front(), kind.styleKeys));
        return;
    }
    const auto reference = section.properties.find("Renderer");
    if (reference == section.properties.end()) {
        return;
    }
    const FormValue value = valueOf(reference->second);
    const std::string id = value.toReference();
    const auto shared = sharedRenderers.find(id);
    if (shared == sharedRenderers.end()) {
        value.fail("there is no section 'Renderer." + id + "' for 'Renderer = &" + id + "'");
    }
    widget.setRenderer(shared->second);
}

std::shared_ptr<Renderer> FormBuilder::buildRenderer(const FormSection& section,
                                                     const std::set<std::string>& keys) {
    if (!section.sections.empty()) {
        throw FormError(source, section.sections.front().line,
                        "'" + section.header() + "' cannot hold a section");
    }
    auto renderer = std::make_shared<Renderer>();
    for (const auto& [key, property] : section.properties) {
        const FormValue value = valueOf(property);
        if (!keys.count(key)) {
            warnUnknownKey(key, property.line, section.header());
        } else if (key == "Borders") {
            renderer->setBorders(value.toBorders());
        } else if (key.find("Texture") != std::string::npos) {
            if (value.toTexture()) {
                renderer->setTexture(key, loadTexture(value));
            }
        } else if (const auto color = value.toColor()) {
            renderer->setColor(key, *color);
        }
    }
    return renderer;
}

void FormBuilder::applyKindKeys(Widget& widget, const FormSection& section) {
    const auto& properties = section.properties;
    auto valueFor = [&](const char* key) -> std::optional<FormValue> {
        const auto found = properties.find(key);
        return found == properties.end() ? std::nullopt : std::optional<FormValue>(valueOf(found->second));
    };
    // A form's words are English; the catalog has them (pellowick-levelstrings gathers them).
    const auto formText = valueFor("Text");
    const std::optional<std::string> text =
        formText ? std::optional<std::string>(tr(formText->toString().c_str())) : std::nullopt;
    const auto textSize = valueFor("TextSize");
    if (auto* button = dynamic_cast<Button*>(&widget)) {
        if (text) {
            button->setText(*text);
        }
        if (textSize) {
            button->setTextSize(textSize->toUnsigned(kLargestTextSize));
        }
    } else if (auto* checkBox = dynamic_cast<CheckBox*>(&widget)) {
        if (text) {
            checkBox->setText(*text);
        }
        if (textSize) {
            checkBox->setTextSize(textSize->toUnsigned(kLargestTextSize));
        }
        if (const auto checked = valueFor("Checked")) {
            checkBox->setChecked(checked->toBool());
        }
    } else if (auto* label = dynamic_cast<Label*>(&widget)) {
        if (text) {
            label->setText(*text);
        }
        if (textSize) {
            label->setTextSize(textSize->toUnsigned(kLargestTextSize));
        }
    }
    if (auto* bitmapButton = dynamic_cast<BitmapButton*>(&widget)) {
        if (const auto image = valueFor("Image"); image && image->toTexture()) {
            bitmapButton->setImage(loadTexture(*image));
        }
    }
    if (auto* slider = dynamic_cast<Slider*>(&widget)) {
        applySliderKeys(*slider, section);
    }
    if (auto* picture = dynamic_cast<Picture*>(&widget)) {
        if (const auto ignore = valueFor("IgnoreMouseEvents")) {
            picture->setIgnoreMouseEvents(ignore->toBool());
        }
    }
}

void FormBuilder::applySliderKeys(Slider& slider, const FormSection& section) {
    // The limits first, as TGUI does: the value is then held to them.
    const auto apply = [&](const char* key, auto&& setter) {
        if (const auto found = section.properties.find(key); found != section.properties.end()) {
            setter(valueOf(found->second).toNumber());
        }
    };
    apply("Minimum", [&](float value) { slider.setMinimum(value); });
    apply("Maximum", [&](float value) { slider.setMaximum(value); });
    apply("Step", [&](float value) { slider.setStep(value); });
    apply("Value", [&](float value) { slider.setValue(value); });
}

void FormBuilder::applyLayout(Widget& widget, const FormSection& section) {
    // The size first: a position may be worked out from it.
    if (const auto size = section.properties.find("Size"); size != section.properties.end()) {
        const FormValue value = valueOf(size->second);
        const sf::Vector2f fixed = value.toVector({windowSize, std::nullopt, true});
        if (fixed.x < 0 || fixed.y < 0) {
            value.fail("a size cannot be negative: '" + value.raw() + "'");
        }
        widget.setSize(fixed);
    }
    if (const auto position = section.properties.find("Position"); position != section.properties.end()) {
        widget.setPosition(valueOf(position->second).toVector({windowSize, widget.getSize(), true}));
    }
}

UiTexture FormBuilder::loadTexture(const FormValue& value) {
    const auto textureSource = value.toTexture();
    const std::string path = (std::filesystem::path(source).parent_path() / textureSource->file).string();
    auto& texture = textures[{path, textureSource->smooth}];
    if (!texture) {
        const std::string problem = FileCheck::pictureProblem(path, FileCheck::largestTextureSide());
        if (!problem.empty()) {
            value.fail("cannot load the texture '" + path + "': it " + problem);
        }
        auto loaded = std::make_shared<sf::Texture>();
        if (!loaded->loadFromFile(path)) {
            value.fail("cannot load the texture '" + path + "'");
        }
        loaded->setSmooth(textureSource->smooth);
        texture = loaded;
    }
    return {texture, textureSource->part};
}

} // namespace ui
