// The ordered child views of a frame or a view container, and the one rule
// for their references: adding a view takes over the reference its caller
// held (no retain), and only removing it with release gives that reference
// up. A view is held at most once. Index 0 is drawn first, the last is the
// topmost.
#pragma once

class View;

class ViewList {
public:
    ViewList() = default;
    // Frees the storage only: the owner removes its views first.
    ~ViewList();
    ViewList(const ViewList&) = delete;
    ViewList& operator=(const ViewList&) = delete;

    // False for null, for a view already held, or when the storage cannot
    // grow (it grows by kGrowth entries at a time).
    bool append(View* view);
    // Takes the view out, the later ones moving down; false when not held.
    bool remove(View* view);
    // Empties the list, handing its views over in order: `count` entries in
    // storage the caller frees with freeTaken.
    View** takeAll(int& count);
    static void freeTaken(View** views);

    bool contains(const View* view) const;
    int count() const { return size; }
    int capacity() const { return room; }
    // The view at `index`, null outside 0 to count() - 1.
    View* at(int index) const { return index >= 0 && index < size ? views[index] : nullptr; }

    static constexpr int kGrowth = 20;

private:
    View** views = nullptr;
    int size = 0;
    int room = 0;
};
