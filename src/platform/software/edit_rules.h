// The rules of an edit box's text that every backend drawing its own boxes
// follows, as the Windows system's boxes behave: a limit of 0 or less sets
// no limit; a starting text longer than the limit is kept whole and only
// typing stops at the limit; typed text replaces the selection, as much of
// it as the limit leaves room for.
#pragma once

#include <cstddef>
#include <limits>

namespace software {

inline int editBoxLimit(int asked) {
    return asked > 0 ? asked : std::numeric_limits<int>::max();
}

// How many typed characters fit in a box of `limit` holding `length`
// characters once the selection is removed.
inline std::size_t editBoxRoom(int limit, std::size_t length) {
    const auto most = static_cast<std::size_t>(limit);
    return length < most ? most - length : 0;
}

} // namespace software
