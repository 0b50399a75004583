#pragma once

#include "physics/BoxCollisionComponent.hpp"
#include "physics/BroadPhase.hpp"
#include "physics/Manifold.hpp"
#include "physics/NavGrid.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <list>
#include <memory>
#include <string>
#include <vector>

// Every collider of the level, in registration order, and the once-per-frame
// collision step: overlap tests of every pair, the building's entrance and exit
// switches, collision reports to observers, then bounce and separation.
//
// Pairs are visited as a nested loop over the registration order would visit
// them (earlier collider first), because switches and observers act in the
// middle of the step. update() skips the pairs a grid shows cannot overlap;
// updateAllPairs() is the plain nested loop, kept as the reference that the
// faster step must match outcome for outcome.
class PhysicsManager {
public:
    static PhysicsManager* getInstance();
    static void destroyInstance();

    void addCollider(std::shared_ptr<BoxCollisionComponent> collider);
    void clear();
    // One collision step; takes no time step. Uses the grid unless
    // useBroadPhase is off.
    void update();
    // The same step testing every pair: the reference for update().
    void updateAllPairs();

    // Flip every inside and outside wall; the dogs' grid follows.
    void toggleBorders();
    // Makes the solid walls block the dogs' sight and way, on a grid of `cells` of `cellSize` built from the
    // walls as they are now and again at every switch between outside and inside.
    void blockSightWithWalls(sf::Vector2i cells, sf::Vector2f cellSize);
    // The dogs' grid while walls block sight, else nothing; valid until the next clear().
    const NavGrid* sightWalls() const { return wallsBlockSight ? &navGrid : nullptr; }
    // Flip the formula's visibility and solidity, then every dog's.
    void toggleFormula();

    bool playerInside = false;
    bool useBroadPhase = true;
    std::list<std::shared_ptr<BoxCollisionComponent>> registeredColliders;
    std::vector<Manifold> manifolds;

private:
    PhysicsManager() = default;

    using ColliderSlot = std::list<std::shared_ptr<BoxCollisionComponent>>::iterator;
    // A collider's box as it was when the step began, and where to read it now.
    struct TrackedBox {
        const sf::Vector2f* position;
        const sf::FloatRect* bounds;
        sf::Vector2f startPosition;
        sf::FloatRect startBounds;
    };

    void detectCollisions();
    void detectCollisionsAllPairs();
    void detectCollisionsBroadPhase();
    void trackColliders();
    std::size_t nextPartner(std::size_t a, std::size_t lastTested, const std::uint32_t*& gridPartner) const;
    void noteMovedColliders(std::size_t from);
    void continueAllPairsFrom(ColliderSlot a, ColliderSlot b);
    void resolveCollisions();
    void testPair(const std::shared_ptr<BoxCollisionComponent>& a,
                  const std::shared_ptr<BoxCollisionComponent>& b);
    // Runs the entrance and exit switches; true when the pair is done with.
    bool handleZonesAndWalls(const std::string& typeA, const std::string& typeB);
    void enterBuilding();
    void leaveBuilding();

    static PhysicsManager* instance;

    // Set when a pair test ran code outside the physics (observers, switches)
    // that may have moved bodies.
    bool calledOut = false;
    bool wallsBlockSight = false;
    NavGrid navGrid;
    BroadPhase broadPhase;
    std::vector<ColliderSlot> slots;
    std::vector<TrackedBox> tracked;
    std::vector<sf::FloatRect> startBoxes;
    // Colliders the grid cannot vouch for: moved since the step began, or not
    // placeable in a grid. They are tested against every later collider.
    std::vector<char> untracked;
    std::vector<std::uint32_t> untrackedInOrder;
};
