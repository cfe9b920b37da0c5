// How a host's control port meets a parameter the effect also sets itself:
// controller 1 moves "ncvolume" inside the effect, while the host keeps
// writing its own port value every block. The port's value reaches the
// effect only when it differs from the value this follower saw last, so a
// value the host merely repeats never undoes a controller move; the next
// change on either side wins. After activation the first value always goes
// through.
#pragma once

#include <cstring>

namespace tarvel_lv2 {

class ControlFollower {
public:
    void reset() { seen = false; }
    // True when `value` is new since the last call (compared bit for bit).
    bool changed(float value) {
        if (seen && std::memcmp(&value, &last, sizeof value) == 0) {
            return false;
        }
        seen = true;
        last = value;
        return true;
    }

private:
    bool seen = false;
    float last = 0.0f;
};

// A port value as a gain the effect takes: 0 to 1, with values outside
// brought to the nearer end. False for a value that is not a number.
inline bool gainFromPort(float value, float& gain) {
    if (!(value == value)) {
        return false;
    }
    gain = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
    return true;
}

} // namespace tarvel_lv2
