#include "wav_writer.h"

#include <sndfile.h>

WavWriter::~WavWriter() {
    close();
}

bool WavWriter::open(const std::string& path, int sampleRate, std::string& error) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    // The peak chunk carries a time stamp; without it the same audio always
    // gives the same file, byte for byte.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    ok = true;
    return true;
}

bool WavWriter::write(const float* left, const float* right, std::int64_t frames) {
    if (file == nullptr) {
        return false;
    }
    interleaved.resize(static_cast<std::size_t>(frames) * 2);
    for (std::int64_t i = 0; i < frames; ++i) {
        interleaved[static_cast<std::size_t>(i) * 2] = left[i];
        interleaved[static_cast<std::size_t>(i) * 2 + 1] = right[i];
    }
    if (sf_writef_float(file, interleaved.data(), frames) != frames) {
        ok = false;
    }
    return ok;
}

bool WavWriter::close() {
    if (file == nullptr) {
        return ok;
    }
    if (sf_close(file) != 0) {
        ok = false;
    }
    file = nullptr;
    return ok;
}
