#include "gui/view_list.h"

#include <cstdlib>

ViewList::~ViewList() {
    std::free(views);
}

bool ViewList::append(View* view) {
    if (!view || contains(view))
        return false;
    if (size == room) {
        View** grown = static_cast<View**>(std::realloc(views, sizeof(View*) * (room + kGrowth)));
        if (!grown)
            return false;
        views = grown;
        room += kGrowth;
    }
    views[size++] = view;
    return true;
}

bool ViewList::remove(View* view) {
    for (int i = 0; i < size; ++i) {
        if (views[i] != view)
            continue;
        for (int j = i + 1; j < size; ++j)
            views[j - 1] = views[j];
        --size;
        return true;
    }
    return false;
}

View** ViewList::takeAll(int& count) {
    View** held = views;
    count = size;
    views = nullptr;
    size = 0;
    room = 0;
    return held;
}

void ViewList::freeTaken(View** taken) {
    std::free(taken);
}

bool ViewList::contains(const View* view) const {
    for (int i = 0; i < size; ++i)
        if (views[i] == view)
            return true;
    return false;
}
