#include "physics/PhysicsManager.hpp"

#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderComponent.hpp"
#include "scene/RenderManager.hpp"

#include <algorithm>
#include <cmath>

PhysicsManager* PhysicsManager::instance = nullptr;

namespace {
constexpr float kHalf = 0.5f;
constexpr float kRestitutionTerm = -2.0f; // -(1 + e) with full restitution e = 1
constexpr float kPenetrationSlop = 0.1f;
constexpr float kCorrectionShare = 1.0f;

bool isPair(const std::string& a, const std::string& b, const char* first, const char* second) {
    return (a == first && b == second) || (a == second && b == first);
}

sf::FloatRect worldBox(const RigidBodyComponent& body) {
    const sf::Vector2f position = body.owner->getPosition();
    return {body.bounds.left + position.x, body.bounds.top + position.y, body.bounds.width,
            body.bounds.height};
}

sf::Vector2f centreOf(const sf::FloatRect& box) {
    return {box.left + kHalf * box.width, box.top + kHalf * box.height};
}
} // namespace

PhysicsManager* PhysicsManager::getInstance() {
    if (!instance) {
        instance = new PhysicsManager();
    }
    return instance;
}

void PhysicsManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

void PhysicsManager::addCollider(std::shared_ptr<BoxCollisionComponent> collider) {
    registeredColliders.push_back(std::move(collider));
}

void PhysicsManager::clear() {
    registeredColliders.clear();
    wallsBlockSight = false;
    navGrid = NavGrid();
}

void PhysicsManager::update() {
    manifolds.clear();
    detectCollisions();
    resolveCollisions();
}

void PhysicsManager::updateAllPairs() {
    manifolds.clear();
    detectCollisionsAllPairs();
    resolveCollisions();
}

void PhysicsManager::detectCollisions() {
    if (useBroadPhase) {
        detectCollisionsBroadPhase();
    } else {
        detectCollisionsAllPairs();
    }
}

void PhysicsManager::detectCollisionsAllPairs() {
    continueAllPairsFrom(registeredColliders.begin(), registeredColliders.empty()
                                                          ? registeredColliders.end()
                                                          : std::next(registeredColliders.begin()));
}

// The nested loop from the pair (a, b) on.
void PhysicsManager::continueAllPairsFrom(ColliderSlot a, ColliderSlot b) {
    const ColliderSlot end = registeredColliders.end();
    while (a != end) {
        for (; b != end; ++b) {
            testPair(*a, *b);
        }
        if (++a != end) {
            b = std::next(a);
        }
    }
}

// Walks the pairs in the nested loop's order, but only those that overlapped
// when the step began, plus every pair with a collider that has moved since.
// Only observers and switches can move bodies during the walk, so after each
// of them the boxes are compared with their starting values.
void PhysicsManager::detectCollisionsBroadPhase() {
    trackColliders();
    const std::size_t count = slots.size();
    for (std::size_t a = 0; a < count; ++a) {
        const std::uint32_t* gridPartner = broadPhase.partnersBegin(a);
        std::size_t lastTested = a;
        for (std::size_t b = nextPartner(a, lastTested, gridPartner); b < count;
             b = nextPartner(a, lastTested, gridPartner)) {
            calledOut = false;
            testPair(*slots[a], *slots[b]);
            lastTested = b;
            if (!calledOut) {
                continue;
            }
            if (registeredColliders.size() != count) {
                // Someone registered a collider mid-step: only the plain loop sees it in time.
                continueAllPairsFrom(slots[a], std::next(slots[b]));
                return;
            }
            noteMovedColliders(a);
        }
    }
}

void PhysicsManager::trackColliders() {
    slots.clear();
    tracked.clear();
    startBoxes.clear();
    for (auto slot = registeredColliders.begin(); slot != registeredColliders.end(); ++slot) {
        const RigidBodyComponent& body = *(*slot)->body;
        slots.push_back(slot);
        tracked.push_back({&body.owner->getPosition(), &body.bounds, body.owner->getPosition(), body.bounds});
        startBoxes.push_back(worldBox(body));
    }
    broadPhase.build(startBoxes);
    untracked.assign(slots.size(), 0);
    untrackedInOrder.clear();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (broadPhase.isUnbounded(i)) {
            untracked[i] = 1;
            untrackedInOrder.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

// The first collider after lastTested that collider a must be tested against.
std::size_t PhysicsManager::nextPartner(std::size_t a, std::size_t lastTested,
                                        const std::uint32_t*& gridPartner) const {
    if (untracked[a]) {
        return lastTested + 1;
    }
    const std::uint32_t* end = broadPhase.partnersEnd(a);
    while (gridPartner != end && (*gridPartner <= lastTested || untracked[*gridPartner])) {
        ++gridPartner;
    }
    const std::size_t fromGrid = gridPartner != end ? *gridPartner : slots.size();
    const auto moved = std::upper_bound(untrackedInOrder.begin(), untrackedInOrder.end(), lastTested);
    const std::size_t fromMoved = moved != untrackedInOrder.end() ? *moved : slots.size();
    return std::min(fromGrid, fromMoved);
}

// Colliders before `from` have had all their pairs tested; the rest are checked.
void PhysicsManager::noteMovedColliders(std::size_t from) {
    for (std::size_t i = from; i < tracked.size(); ++i) {
        const TrackedBox& box = tracked[i];
        if (untracked[i] || (*box.position == box.startPosition && *box.bounds == box.startBounds)) {
            continue;
        }
        untracked[i] = 1;
        const auto index = static_cast<std::uint32_t>(i);
        untrackedInOrder.insert(std::upper_bound(untrackedInOrder.begin(), untrackedInOrder.end(), index),
                                index);
    }
}

void PhysicsManager::testPair(const std::shared_ptr<BoxCollisionComponent>& a,
                              const std::shared_ptr<BoxCollisionComponent>& b) {
    RigidBodyComponent& bodyA = *a->body;
    RigidBodyComponent& bodyB = *b->body;
    if (bodyA.mass == 0.0f && bodyB.mass == 0.0f) {
        return;
    }

    const sf::FloatRect boxA = worldBox(bodyA);
    const sf::FloatRect boxB = worldBox(bodyB);
    const sf::Vector2f d = centreOf(boxB) - centreOf(boxA);
    const float overlapX = (kHalf * boxA.width + kHalf * boxB.width) - std::abs(d.x);
    if (overlapX <= 0.0f) {
        return;
    }
    const float overlapY = (kHalf * boxA.height + kHalf * boxB.height) - std::abs(d.y);
    if (overlapY <= 0.0f) {
        return;
    }

    Manifold contact{&bodyA, &bodyB, 0.0f, {}};
    if (overlapY > overlapX) {
        contact.penetration = overlapX;
        contact.normal = {d.x >= 0.0f ? -1.0f : 1.0f, 0.0f};
    } else {
        contact.penetration = overlapY;
        contact.normal = {0.0f, d.y >= 0.0f ? -1.0f : 1.0f};
    }

    const std::string& typeA = bodyA.owner->type;
    const std::string& typeB = bodyB.owner->type;
    if (handleZonesAndWalls(typeA, typeB)) {
        return;
    }
    if (!a->solid || !b->solid) {
        return;
    }

    calledOut = calledOut || !bodyA.observers.empty();
    bodyA.notify(b);
    calledOut = calledOut || !bodyB.observers.empty();
    bodyB.notify(a);

    // The goal and the player's own eggs are touched, never bounced off.
    if (isPair(typeA, typeB, "player", "goal") || isPair(typeA, typeB, "egg", "player")) {
        return;
    }
    manifolds.push_back(contact);
}

bool PhysicsManager::handleZonesAndWalls(const std::string& typeA, const std::string& typeB) {
    if (isPair(typeA, typeB, "border", "borderOutside") ||
        isPair(typeA, typeB, "borderOutside", "borderOutside") || isPair(typeA, typeB, "border", "border") ||
        isPair(typeA, typeB, "border", "entrance")) {
        return true;
    }
    if (isPair(typeA, typeB, "player", "entrance")) {
        if (!playerInside) {
            enterBuilding();
        }
        return true;
    }
    if (isPair(typeA, typeB, "player", "exit")) {
        if (playerInside) {
            leaveBuilding();
        }
        return true;
    }
    return false;
}

void PhysicsManager::enterBuilding() {
    calledOut = true;
    toggleBorders();
    toggleFormula();
    playerInside = true;
    RenderManager::getInstance()->showInside();
}

void PhysicsManager::leaveBuilding() {
    calledOut = true;
    toggleBorders();
    toggleFormula();
    playerInside = false;
    RenderManager::getInstance()->showOutside();
}

void PhysicsManager::toggleBorders() {
    for (const auto& collider : registeredColliders) {
        const std::string& type = collider->body->owner->type;
        if (type == "border" || type == "borderOutside") {
            collider->solid = !collider->solid;
        }
    }
    if (wallsBlockSight) {
        navGrid.rebuild(registeredColliders);
    }
}

void PhysicsManager::blockSightWithWalls(sf::Vector2i cells, sf::Vector2f cellSize) {
    wallsBlockSight = true;
    navGrid = NavGrid(cells, cellSize);
    navGrid.rebuild(registeredColliders);
}

void PhysicsManager::toggleFormula() {
    GameObjectManager* objects = GameObjectManager::getInstance();
    // The level is checked when it loads; a map without a formula still lets the dogs switch.
    if (auto formula = objects->findGameObject("formula")) {
        if (auto sprite = formula->getComponent<RenderComponent>()) {
            sprite->visible = !sprite->visible;
        }
        if (!formula->colliders.empty()) {
            formula->colliders.front()->solid = !formula->colliders.front()->solid;
        }
    }
    objects->toggleEnemies();
}

void PhysicsManager::resolveCollisions() {
    for (const Manifold& contact : manifolds) {
        RigidBodyComponent& a = *contact.bodyA;
        RigidBodyComponent& b = *contact.bodyB;
        const float inverseA = inverseMass(a.mass);
        const float inverseB = inverseMass(b.mass);
        const float inverseSum = inverseA + inverseB;
        if (inverseSum == 0.0f) {
            continue; // two immovable bodies: nothing can move
        }
        const sf::Vector2f relative = a.velocity - b.velocity;
        const float normalSpeed = relative.x * contact.normal.x + relative.y * contact.normal.y;
        if (normalSpeed > 0.0f) {
            // Already separating. Only this contact is left alone: stopping the
            // whole pass here would let the player walk into walls.
            continue;
        }
        const float impulse = (kRestitutionTerm * normalSpeed) / inverseSum;
        a.velocity += inverseA * impulse * contact.normal;
        b.velocity -= inverseB * impulse * contact.normal;

        const float correction =
            std::max(contact.penetration - kPenetrationSlop, 0.0f) / inverseSum * kCorrectionShare;
        a.owner->setPosition(a.owner->getPosition() + inverseA * correction * contact.normal);
        b.owner->setPosition(b.owner->getPosition() - inverseB * correction * contact.normal);
    }
}
