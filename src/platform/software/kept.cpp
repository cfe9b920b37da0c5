#include "kept.h"

namespace software {
namespace {
KeptLink* first = nullptr;

// Run by the dynamic loader when the library is unloaded, or at the very end
// of the process after every exit handler and every host destructor: the
// heap memory of the kept objects goes back, so a host that unloads and
// loads the library again (as when it rescans) finds nothing lost.
__attribute__((destructor)) void releaseAtUnload() {
    releaseKept();
}
} // namespace

void keep(KeptLink* link) {
    link->next = first;
    first = link;
}

void releaseKept() {
    while (first) {
        KeptLink* link = first;
        first = link->next;
        link->destroy(link);
    }
}

} // namespace software
