#pragma once

#include "scene/IObserver.hpp"

#include <list>
#include <memory>

// A list of observers told about collisions, in attach order.
class ISubject {
public:
    void attach(std::shared_ptr<IObserver> observer);
    // Delivers to each observer in order. An observer may call detachAll() on
    // this subject while being notified; delivery then stops after it returns.
    void notify(std::shared_ptr<BoxCollisionComponent> other);
    void detachAll();

    std::list<std::shared_ptr<IObserver>> observers;

private:
    unsigned detachCount = 0;
};
