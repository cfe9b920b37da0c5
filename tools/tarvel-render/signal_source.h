// Where the audio to render comes from: a built-in test signal or a WAV file,
// read block by block so that long files need little memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class SignalSource {
public:
    virtual ~SignalSource() = default;
    virtual std::int64_t frames() const = 0;
    virtual double sampleRate() const = 0;
    virtual std::string description() const = 0;
    // Reads up to `count` frames; returns how many it read.
    virtual std::int64_t read(float* left, float* right, std::int64_t count) = 0;
};

// The built-in signals: "default", "noise" and "slow" (see renderUsage()).
std::unique_ptr<SignalSource> makeBuiltInSignal(const std::string& name);

// A WAV (or any file libsndfile reads). Mono files feed both channels; of
// more channels only the first two are used. Null with `error` set when the
// file cannot be opened.
std::unique_ptr<SignalSource> openSignalFile(const std::string& path, std::string& error);
