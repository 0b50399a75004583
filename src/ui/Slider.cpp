#include "ui/Slider.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {
const sf::Color kTrack(60, 60, 60);
const sf::Color kSelectedTrack(160, 160, 160);
const sf::Color kThumb(230, 230, 230);
// The track is this part of the widget's height, the thumb half the height wide.
const float kTrackShare = 0.4f;
const float kThumbShare = 0.5f;
} // namespace

Slider::Slider() = default;

std::shared_ptr<Slider> Slider::create(float minimum, float maximum) {
    auto slider = std::make_shared<Slider>();
    slider->setMaximum(maximum);
    slider->setMinimum(minimum);
    return slider;
}

void Slider::setMinimum(float newMinimum) {
    minimum = newMinimum;
    maximum = std::max(maximum, minimum);
    setValue(value);
}

void Slider::setMaximum(float newMaximum) {
    maximum = newMaximum;
    minimum = std::min(minimum, maximum);
    setValue(value);
}

void Slider::setStep(float newStep) {
    step = std::max(0.0f, newStep);
    setValue(value);
}

void Slider::setValue(float newValue) {
    value = snapped(newValue);
}

float Slider::snapped(float wanted) const {
    float held = std::clamp(wanted, minimum, maximum);
    if (step > 0) {
        held = minimum + std::round((held - minimum) / step) * step;
        // A range that is no whole number of steps ends at its maximum all the same.
        held = std::min(held, maximum);
    }
    return held;
}

void Slider::choose(float wanted) {
    const float before = value;
    setValue(wanted);
    if (value != before) {
        onValueChange.emit();
    }
}

bool Slider::focusedKeyPressed(sf::Keyboard::Key key) {
    if (!isEnabled() || !isVisible()) {
        return false;
    }
    // Without a step a key moves a tenth of the range.
    const float stride = step > 0 ? step : (maximum - minimum) / 10.0f;
    if (key == sf::Keyboard::Left) {
        choose(value - stride);
        return true;
    }
    if (key == sf::Keyboard::Right) {
        choose(value + stride);
        return true;
    }
    return false;
}

void Slider::mouseDragged(sf::Vector2f point) {
    const float width = getSize().x;
    if (width <= 0 || !isEnabled()) {
        return;
    }
    const float share = std::clamp((point.x - getPosition().x) / width, 0.0f, 1.0f);
    choose(minimum + share * (maximum - minimum));
}

void Slider::draw(sf::RenderTarget& target, const sf::Font*) const {
    const Look look = currentLook();
    const sf::Vector2f at = getPosition();
    const sf::Vector2f size = getSize();
    const float trackHeight = size.y * kTrackShare;
    const sf::FloatRect track(at.x, at.y + (size.y - trackHeight) / 2.0f, size.x, trackHeight);
    const float share = maximum > minimum ? (value - minimum) / (maximum - minimum) : 0.0f;
    drawFrame(target, track, colorOr("TrackColor", look, kTrack), colorOr("BorderColor", look, kTrack),
              bordersOr({}), "");
    sf::RectangleShape selected({track.width * share, track.height});
    selected.setPosition(track.left, track.top);
    selected.setFillColor(colorOr("SelectedTrackColor", look, kSelectedTrack));
    target.draw(selected);
    const float thumbWidth = size.y * kThumbShare;
    const sf::FloatRect thumb(track.left + track.width * share - thumbWidth / 2.0f, at.y, thumbWidth, size.y);
    drawFrame(target, thumb, colorOr("ThumbColor", look, kThumb), colorOr("BorderColor", look, kTrack),
              bordersOr({}), "");
}

} // namespace ui
