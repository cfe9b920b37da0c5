// Benchmarks of the editor's drawing on the headless backend, driven as a host
// drives it: one idle redraw of one slider after its parameter changed, and a
// full paint of the window (through the window system's paint message, and
// drawn at once without it). Each benchmark checks, untimed, that the drawing
// it timed really happened.
//
// Names: editor/<operation>; the counter pixels is the pixels drawn per second
// (the slider's area for the idle redraw, the window's for the full paint).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

namespace {

// An effect whose editor is open in a host window of its own size and has
// been painted once, so that idle calls may redraw.
class OpenEditor {
public:
    OpenEditor() : parent(headless::createWindow(0, 0, 268, 107)) {
        // The effect owns the editor, which registers itself with it.
        editor = new TarvelEditor(&effect);
        record->setParameter(record, TarvelEffect::kNcvolume, 0.75f);
        record->dispatcher(record, effEditOpen, 0, 0, parent, 0.0f);
        headless::dispatchMessages();
        record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f);
    }
    ~OpenEditor() {
        record->dispatcher(record, effEditClose, 0, 0, nullptr, 0.0f);
        headless::destroyWindow(parent);
    }
    OpenEditor(const OpenEditor&) = delete;
    OpenEditor& operator=(const OpenEditor&) = delete;

    // Null when the editor is ready to draw; otherwise what is missing.
    const char* problem() const {
        if (!editor || !editor->getFrame())
            return "the editor did not open";
        if (!editor->getFrame()->getWindow())
            return "the editor has no window";
        if (!editor->getNcvolumeSlider())
            return "the editor has no slider for parameter 0";
        if (editor->getFrame()->isSomethingDirty())
            return "the first paint left views to redraw";
        return nullptr;
    }

    void setParameter(int32 index, float value) { record->setParameter(record, index, value); }
    void idle() { record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f); }
    platform::Window window() const { return editor->getFrame()->getWindow(); }
    const raster::Surface& pixels() const { return *headless::surfaceOf(window()); }
    HorizontalSlider* slider() const { return editor->getNcvolumeSlider(); }
    Frame* frame() const { return editor->getFrame(); }

private:
    TarvelEffect effect{nullptr};
    AEffect* record = effect.getAeffect();
    platform::Window parent;
    TarvelEditor* editor = nullptr;
};

void reportPixels(benchmark::State& state, int width, int height) {
    state.counters["pixels"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * width * height, benchmark::Counter::kIsRate);
}

// The host changes parameter 0 between two values far apart, so the handle
// really moves, and the editor's idle redraws that slider alone.
void sliderIdleRedraw(benchmark::State& state) {
    OpenEditor open;
    if (const char* problem = open.problem()) {
        state.SkipWithError(problem);
        return;
    }
    HorizontalSlider* slider = open.slider();
    bool low = true;
    for (auto _ : state) {
        const float value = low ? 0.25f : 0.75f;
        open.setParameter(TarvelEffect::kNcvolume, value);
        low = !low;
        // The slider takes the effect's value in the idle call, which redraws it.
        open.idle();
        if (slider->getValue() != value || open.frame()->isSomethingDirty()) {
            state.SkipWithError(slider->getValue() != value
                                    ? "the parameter change did not reach the slider"
                                    : "idle left a view to redraw");
            return;
        }
    }
    // Untimed: the idle redraw moved the handle on screen, and what it drew is
    // what a full paint draws for the same value.
    const raster::Surface before = open.pixels();
    open.setParameter(TarvelEffect::kNcvolume, low ? 0.25f : 0.75f);
    open.idle();
    const raster::Surface redrawn = open.pixels();
    headless::damageWindow(open.window());
    headless::dispatchMessages();
    if (before.samePixels(redrawn))
        state.SkipWithError("the idle redraw did not change the window");
    else if (!redrawn.samePixels(open.pixels()))
        state.SkipWithError("the idle redraw differs from a full paint");
    Rect bounds;
    slider->getBounds(bounds);
    reportPixels(state, bounds.getWidth(), bounds.getHeight());
}

// The whole window damaged, and the paint message delivered: the background
// picture and both sliders drawn into the paint's context.
void fullPaint(benchmark::State& state) {
    OpenEditor open;
    if (const char* problem = open.problem()) {
        state.SkipWithError(problem);
        return;
    }
    for (auto _ : state) {
        headless::damageWindow(open.window());
        const int delivered = headless::dispatchMessages();
        if (delivered != 1 || headless::hasPendingPaint(open.window())) {
            state.SkipWithError("the paint message was not delivered once");
            return;
        }
    }
    reportPixels(state, open.pixels().width(), open.pixels().height());
}

// The whole frame drawn at once into a context on its window, without the
// window system's paint bookkeeping (the editor's drawAll).
void fullDraw(benchmark::State& state) {
    OpenEditor open;
    if (const char* problem = open.problem()) {
        state.SkipWithError(problem);
        return;
    }
    for (auto _ : state) {
        open.frame()->drawView(nullptr);
    }
    // Untimed: with the slider's value changed and no idle, drawing the whole
    // frame moves the handle, to where a full paint draws it.
    const raster::Surface before = open.pixels();
    open.slider()->setValue(0.25f);
    open.frame()->drawView(nullptr);
    const raster::Surface drawn = open.pixels();
    headless::damageWindow(open.window());
    headless::dispatchMessages();
    if (before.samePixels(drawn))
        state.SkipWithError("drawing the whole frame did not change the window");
    else if (!drawn.samePixels(open.pixels()))
        state.SkipWithError("drawing the whole frame differs from a full paint");
    reportPixels(state, drawn.width(), drawn.height());
}

// Besides mean, median and deviation: the fastest repetition, as for the
// effect's benchmarks.
double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

BENCHMARK(sliderIdleRedraw)->Name("editor/sliderIdleRedraw")->ComputeStatistics("min", fastest);
BENCHMARK(fullPaint)->Name("editor/fullPaint")->ComputeStatistics("min", fastest);
BENCHMARK(fullDraw)->Name("editor/fullDraw")->ComputeStatistics("min", fastest);

} // namespace
