#include "ui/Signal.hpp"

namespace ui {

void Signal::connect(std::function<void()> handler) {
    if (handler)
        m_handlers.push_back(std::move(handler));
}

void Signal::disconnectAll() {
    m_handlers.clear();
}

void Signal::emit() const {
    const auto handlers = m_handlers;
    for (const auto& handler : handlers)
        handler();
}

} // namespace ui
