#include "picture_check.h"

#include "layout.h"

#include <climits>
#include <utility>

namespace pictures {

namespace {

bool inGroove(int x, int y) {
    for (const int top : grooveTops) {
        if (Box{grooveLeft, top, grooveRight, top + 2}.contains(x, y)) {
            return true;
        }
    }
    return false;
}

std::string describe(const Box& b) {
    return "x " + std::to_string(b.left) + ".." + std::to_string(b.right) + ", y " +
           std::to_string(b.top) + ".." + std::to_string(b.bottom);
}

} // namespace

std::vector<std::string> checkPanelLettering(const Image& panel) {
    std::vector<std::string> faults;
    // Inside the outline only lettering and grooves may differ from white.
    const Box field{outlineInset + 3, outlineInset + 3, panel.width() - outlineInset - 4,
                    panel.height() - outlineInset - 4};
    for (int y = field.top; y <= field.bottom; ++y) {
        for (int x = field.left; x <= field.right; ++x) {
            if (panel.at(x, y) == white || inGroove(x, y)) {
                continue;
            }
            bool inBox = false;
            for (const Lettering& item : panelLettering) {
                inBox = inBox || item.box.contains(x, y);
            }
            if (!inBox) {
                faults.push_back("stray ink at " + std::to_string(x) + "," + std::to_string(y));
            }
        }
    }

    for (const Lettering& item : panelLettering) {
        Box ink{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        bool hasCore = false;
        for (int y = item.box.top; y <= item.box.bottom; ++y) {
            for (int x = item.box.left; x <= item.box.right; ++x) {
                const Rgb c = panel.at(x, y);
                if (c == white) {
                    continue;
                }
                hasCore = hasCore || c == letteringInk;
                ink = Box{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
                          std::max(ink.bottom, y)};
            }
        }
        const std::string name = std::string("\"") + item.text + "\"";
        if (!hasCore) {
            faults.push_back(name + " has no pixel of the full ink colour");
        }
        const bool anchored =
            item.anchor == Anchor::left ? ink.left == item.box.left : ink.right == item.box.right;
        if (ink.top != item.box.top || ink.bottom != item.box.bottom || !anchored) {
            faults.push_back(name + " inks " + describe(ink) + ", meant for " + describe(item.box));
        }
    }
    return faults;
}

std::vector<std::string> checkHandle(const Image& handle, int size) {
    std::vector<std::string> faults;
    const int last = size - 1;
    if (handle.width() != size || handle.height() != size) {
        faults.push_back("handle is not " + std::to_string(size) + " pixels square");
        return faults;
    }
    // White is left out when the handle is drawn, so every white pixel must
    // belong to the ground around the disc: reachable from a corner through
    // white. A white pixel anywhere else would be a hole in the knob.
    std::vector<bool> ground(static_cast<std::size_t>(size * size), false);
    std::vector<std::pair<int, int>> open = {{0, 0}, {last, 0}, {0, last}, {last, last}};
    while (!open.empty()) {
        const auto [x, y] = open.back();
        open.pop_back();
        if (x < 0 || y < 0 || x > last || y > last || handle.at(x, y) != white) {
            continue;
        }
        const auto at = static_cast<std::size_t>(y * size + x);
        if (ground[at]) {
            continue;
        }
        ground[at] = true;
        open.insert(open.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    for (int y = 0; y <= last; ++y) {
        for (int x = 0; x <= last; ++x) {
            if (handle.at(x, y) == white && !ground[static_cast<std::size_t>(y * size + x)]) {
                faults.push_back("white hole in the knob at " + std::to_string(x) + "," +
                                 std::to_string(y));
            }
        }
    }
    if (handle.at(0, 0) != white || handle.at(last, 0) != white || handle.at(0, last) != white ||
        handle.at(last, last) != white) {
        faults.push_back("handle corners are not white");
    }
    return faults;
}

} // namespace pictures
