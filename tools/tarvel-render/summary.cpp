#include "summary.h"

#include <cmath>
#include <cstdio>
#include <sstream>

std::string decibels(float gain) {
    if (!(gain > 0.0f)) {
        return "-inf dB";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f dB", 20.0 * std::log10(static_cast<double>(gain)));
    return text;
}

namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string plural(long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string formatSummary(const RenderOptions& options, const RenderReport& report) {
    std::ostringstream out;
    const double seconds =
        report.sampleRate > 0.0 ? static_cast<double>(report.frames) / report.sampleRate : 0.0;
    out << "Rendered " << report.input << " through " << report.effectName << " by "
        << report.vendor << " (" << report.plugin << ")\n";
    out << "  into " << options.outputPath << ": " << fixed(seconds, 2) << " s, " << report.frames
        << " frames at " << fixed(report.sampleRate, 0) << " Hz, stereo 32-bit float\n";
    out << "  ncvolume " << fixed(options.ncvolume, 3) << " (" << decibels(options.ncvolume)
        << (options.controllers.empty() ? "" : ", until controller 1 moves it") << "), ipvolume "
        << fixed(options.ipvolume, 3) << " (" << decibels(options.ipvolume) << "); "
        << plural(report.blocks, "block", "blocks") << " of "
        << (options.randomBlocks ? "1 to " : "") << options.blockSize << " frames, "
        << (options.mode == ProcessMode::replacing ? "processReplacing" : "process") << "\n";
    out << "  peak in " << fixed(report.peakIn, 4) << " (" << decibels(report.peakIn)
        << "), peak out " << fixed(report.peakOut, 4) << " (" << decibels(report.peakOut) << ")\n";

    const CycleCounter& cycles = report.cycles;
    out << "  cycles: " << cycles.recorded() << " recorded";
    if (cycles.cut() > 0) {
        out << " (" << cycles.cut() << " cut at " << CycleCounter::kCapacity << " samples)";
    }
    out << ", " << cycles.replayed() << " replayed in full";
    if (cycles.replayingAtEnd()) {
        out << ", 1 replay still running at the end";
    } else if (cycles.recordingAtEnd()) {
        out << ", 1 recording unfinished at the end";
    }
    out << "\n    (counted from the left input by the effect's capture rule;\n";
    if (report.disagreeingFrames == 0) {
        out << "    the output agrees: outside the replays it is the input times ipvolume)\n";
    } else {
        out << "    but " << report.disagreeingFrames
            << " frames outside the replays are not the input times ipvolume,\n"
               "    so the count does not describe this output)\n";
    }

    if (!options.controllers.empty()) {
        out << "  MIDI: "
            << plural(report.controllersSent, "controller 1 message", "controller 1 messages")
            << " sent, " << report.midiRelayed << " relayed back by the plug-in";
        if (report.controllersLate > 0) {
            out << "; " << report.controllersLate << " fell after the end and were not sent";
        }
        out << "\n";
    }
    return out.str();
}
