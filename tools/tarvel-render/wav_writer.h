// Writes the rendered audio: a stereo WAV file of 32-bit floats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool open(const std::string& path, int sampleRate, std::string& error);
    bool write(const float* left, const float* right, std::int64_t frames);
    // Finishes the file; false when anything could not be written.
    bool close();

private:
    SNDFILE* file = nullptr;
    bool ok = true;
    std::vector<float> interleaved;
};
