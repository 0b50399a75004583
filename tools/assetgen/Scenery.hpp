#pragma once

#include "Canvas.hpp"

namespace assetgen {

class Random;

// Pieces of the moonlit farm that several pictures share, drawn in the canvas's authored units.
namespace Scenery {

// Sky gradient with scattered stars of varied size and brightness, kept off the moon's disc.
void nightSky(Canvas& canvas, sf::FloatRect area, sf::Color top, sf::Color bottom, int stars, Random& random,
              sf::Vector2f moonCentre = {-1000.f, -1000.f});
void moon(Canvas& canvas, sf::Vector2f centre, float radius);
// Rolling dark hills along the horizon, then the grassy ground below it down to `bottom`.
void hillsAndGround(Canvas& canvas, float horizon, float bottom, float width);
// A post-and-rail fence whose posts stand on `groundY`, lit from above by the moon.
void fence(Canvas& canvas, float left, float right, float groundY, float height);
// A barn with a lit hayloft window; `base` is the middle of its ground line, `scale` 1 is 180 units wide.
void barn(Canvas& canvas, sf::Vector2f base, float scale);
// An egg, narrower at the top, shaded from the upper left.
void egg(Canvas& canvas, sf::Vector2f centre, float halfWidth, float halfHeight, float rotationDegrees = 0.f);
// A straw nest holding a clutch of three eggs.
void nest(Canvas& canvas, sf::Vector2f centre, float scale);
// A standing dog seen from the side, facing left, as a dark shape with a moonlit rim and a glinting eye.
// `feet` is where its front feet touch the ground; `scale` 1 is about 150 units long.
void dogSilhouette(Canvas& canvas, sf::Vector2f feet, float scale);
// A round-bottomed flask of glowing green formula; `centre` is the middle of the bulb.
void flask(Canvas& canvas, sf::Vector2f centre, float scale);

} // namespace Scenery

} // namespace assetgen
