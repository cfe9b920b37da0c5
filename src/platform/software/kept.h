// State a library keeps without a static destructor: the object is made on
// first use in storage of the library's own and is never destroyed by the
// exit handlers. A static with a destructor is registered to run at exit,
// before the destructors of a host's globals that close the plug-in, which
// then finds the state gone; a kept object is still there. What kept
// objects hold on the heap is given back only when the library is unloaded
// (kept.cpp), which the dynamic loader does after every exit handler.
#pragma once

#include <new>

namespace software {

// Every kept object made so far, in a list through the objects themselves.
struct KeptLink {
    KeptLink* next;
    void (*destroy)(KeptLink* self);
};
void keep(KeptLink* link);
// Destroys every kept object made so far; each is made again on next use.
void releaseKept();

template <typename T> class Kept : KeptLink {
public:
    constexpr Kept() : KeptLink{nullptr, nullptr} {}

    T& get() {
        if (!made) {
            new (storage) T();
            made = true;
            destroy = &destroyKept;
            keep(this);
        }
        return *std::launder(reinterpret_cast<T*>(storage));
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }

private:
    static void destroyKept(KeptLink* self) {
        auto* kept = static_cast<Kept*>(self);
        std::launder(reinterpret_cast<T*>(kept->storage))->~T();
        kept->made = false;
    }

    // Initialised as constants (zeros), before any code of the library runs.
    alignas(T) unsigned char storage[sizeof(T)]{};
    bool made = false;
};

} // namespace software
