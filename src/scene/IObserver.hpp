#pragma once

#include <memory>

class BoxCollisionComponent;

// Receives collision reports: other is the collider of the other party.
class IObserver {
public:
    virtual void onNotify(std::shared_ptr<BoxCollisionComponent> other) = 0;

protected:
    ~IObserver() = default;
};
