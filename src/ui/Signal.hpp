#pragma once

#include <functional>
#include <vector>

namespace ui {

// A click signal: handlers run in the order they were connected.
class Signal {
public:
    void connect(std::function<void()> handler);

    // Calls `method` on `object`; the object must outlive the widget or be disconnected first.
    template <class C> void connect(void (C::*method)(), C* object) {
        connect([method, object] { (object->*method)(); });
    }

    void disconnectAll();

    // Runs every handler. A handler may connect new handlers (they run from the next emit on)
    // or destroy the signal's owner: emit works on its own copy of the handler list.
    void emit() const;

private:
    std::vector<std::function<void()>> handlers;
};

} // namespace ui
