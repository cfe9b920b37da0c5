// The effect's way to its editor panel, kept alone in its file so that a test
// program can link its own version in its place.
#include <new>

#include "editor/TarvelEditor.h"
#include "effect/ParameterPanel.h"

AEffEditor* createEditorPanel(TarvelEffect* effect) {
    return new (std::nothrow) TarvelEditor(effect);
}
