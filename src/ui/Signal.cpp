#include "ui/Signal.hpp"

namespace ui {

void Signal::connect(std::function<void()> handler) {
    if (handler) {
        handlers.push_back(std::move(handler));
    }
}

void Signal::disconnectAll() {
    handlers.clear();
}

void Signal::emit() const {
    const auto snapshot = handlers;
    for (const auto& handler : snapshot) {
        handler();
    }
}

} // namespace ui
