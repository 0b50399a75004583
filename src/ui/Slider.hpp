#pragma once

#include "ui/Widget.hpp"

#include <SFML/Window/Keyboard.hpp>

namespace ui {

// A value from Minimum to Maximum in whole steps of Step, shown as a track with a thumb. A press on the
// track jumps the thumb there and a drag carries it; with the focus, Left and Right move it by a step.
// Every change of value by the player emits onValueChange; setting it from code does not.
// Style keys: TrackColor, SelectedTrackColor, ThumbColor, BorderColor (each also *Hover), Borders.
class Slider : public Widget {
public:
    Slider();
    static std::shared_ptr<Slider> create(float minimum = 0, float maximum = 10);

    // A minimum above the maximum moves the maximum up with it (and the other way round); the value
    // is kept inside the limits.
    void setMinimum(float newMinimum);
    void setMaximum(float newMaximum);
    float getMinimum() const { return minimum; }
    float getMaximum() const { return maximum; }
    // 0 lets the value take any number between the limits.
    void setStep(float newStep);
    float getStep() const { return step; }
    // Held to the limits and to the nearest step from the minimum.
    void setValue(float newValue);
    float getValue() const { return value; }

    bool takesFocus() const override { return true; }
    // Left and Right: true when the key moved the value or would have at a limit (it belongs to the
    // slider); other keys are left to the Gui.
    bool focusedKeyPressed(sf::Keyboard::Key key) override;

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;

    Signal onValueChange;

protected:
    sf::Vector2f contentSize() const override { return {200, 16}; }
    void mouseDragged(sf::Vector2f point) override;

private:
    // Sets the value as the player chose it: emits onValueChange when it changed.
    void choose(float wanted);
    float snapped(float wanted) const;

    float minimum = 0;
    float maximum = 10;
    float step = 1;
    float value = 0;
};

} // namespace ui
