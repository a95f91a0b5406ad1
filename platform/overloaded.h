#pragma once

namespace vintrel {

// One visitor for std::visit made of a lambda per alternative.
template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace vintrel
