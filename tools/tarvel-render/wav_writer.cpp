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
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file_ == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    // The peak chunk carries a time stamp; without it the same audio always
    // gives the same file, byte for byte.
    sf_command(file_, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    ok_ = true;
    return true;
}

bool WavWriter::write(const float* left, const float* right, std::int64_t frames) {
    if (file_ == nullptr) {
        return false;
    }
    interleaved_.resize(static_cast<std::size_t>(frames) * 2);
    for (std::int64_t i = 0; i < frames; ++i) {
        interleaved_[static_cast<std::size_t>(i) * 2] = left[i];
        interleaved_[static_cast<std::size_t>(i) * 2 + 1] = right[i];
    }
    if (sf_writef_float(file_, interleaved_.data(), frames) != frames) {
        ok_ = false;
    }
    return ok_;
}

bool WavWriter::close() {
    if (file_ == nullptr) {
        return ok_;
    }
    if (sf_close(file_) != 0) {
        ok_ = false;
    }
    file_ = nullptr;
    return ok_;
}
