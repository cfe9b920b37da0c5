// One item of a pop-up menu as the backends that draw by themselves lay it
// out and draw it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace software {

struct MenuItemInfo {
    unsigned flags = 0;
    unsigned id = 0;
    std::string text; // plain items
    std::uintptr_t itemData = 0;
    int width = 0; // as measured (owner-drawn items: by the owner)
    int height = 0;
    std::vector<MenuItemInfo> subItems;
};

} // namespace software
