#pragma once
// Fans the editor's events out to any number of listeners. A listener is
// added once and joins the list of every event section it derives from; an
// event goes to each listener of its section in the order they were added
// (the program before the window, as the window is opened later).
#include <algorithm>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/editor_events.hpp"

namespace vornix {

template <typename... Sections>
class BasicEventHub {
  public:
    template <typename Listener>
    void add(Listener& listener) {
        (addTo<Sections>(listener), ...);
    }
    template <typename Listener>
    void remove(Listener& listener) {
        (removeFrom<Sections>(listener), ...);
    }

    // hub.emit(&SoundEvents::presetStored, slot)
    // The arguments take the event's own parameter types, so `{}` and
    // conversions work as in a direct call.
    template <typename Section, typename... Params>
    void emit(void (Section::*event)(Params...), std::type_identity_t<Params>... args) const {
        const auto& listeners = std::get<std::vector<Section*>>(lists_);
        // By index: a listener may be added while an event is delivered.
        for (std::size_t i = 0; i < listeners.size(); ++i) (listeners[i]->*event)(args...);
    }

  private:
    template <typename Section, typename Listener>
    void addTo(Listener& listener) {
        if constexpr (std::is_base_of_v<Section, Listener>)
            std::get<std::vector<Section*>>(lists_).push_back(&listener);
    }
    template <typename Section, typename Listener>
    void removeFrom(Listener& listener) {
        if constexpr (std::is_base_of_v<Section, Listener>) {
            auto& listeners = std::get<std::vector<Section*>>(lists_);
            std::erase(listeners, static_cast<Section*>(&listener));
        }
    }

    std::tuple<std::vector<Sections*>...> lists_;
};

using EventHub = BasicEventHub<LinkEvents, SoundEvents, ListEvents, TransferEvents, PageEvents,
                               MessageEvents, TrafficEvents>;

}  // namespace vornix
