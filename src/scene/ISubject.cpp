#include "scene/ISubject.hpp"

void ISubject::attach(std::shared_ptr<IObserver> observer) {
    observers.push_back(std::move(observer));
}

void ISubject::notify(std::shared_ptr<BoxCollisionComponent> other) {
    const unsigned detachesBefore = detachCount;
    for (auto it = observers.begin(); it != observers.end();) {
        // Hold the observer: detachAll() inside onNotify releases the list's reference.
        const std::shared_ptr<IObserver> observer = *it;
        observer->onNotify(other);
        if (detachCount != detachesBefore) {
            return;
        }
        ++it;
    }
}

void ISubject::detachAll() {
    ++detachCount;
    observers.clear();
}
