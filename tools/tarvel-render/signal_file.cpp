#include <sndfile.h>

#include <string>
#include <utility>
#include <vector>

#include "signal_source.h"

namespace {

class SignalFile final : public SignalSource {
public:
    SignalFile(SNDFILE* file, const SF_INFO& info, std::string path)
        : file_(file), info_(info), path_(std::move(path)) {}
    ~SignalFile() override { sf_close(file_); }
    SignalFile(const SignalFile&) = delete;
    SignalFile& operator=(const SignalFile&) = delete;

    std::int64_t frames() const override { return info_.frames; }
    double sampleRate() const override { return info_.samplerate; }
    std::string description() const override { return path_; }

    std::int64_t read(float* left, float* right, std::int64_t count) override {
        const auto channels = static_cast<std::size_t>(info_.channels);
        interleaved.resize(static_cast<std::size_t>(count) * channels);
        const sf_count_t got = sf_readf_float(file_, interleaved.data(), count);
        for (sf_count_t i = 0; i < got; ++i) {
            const float* frame = &interleaved[static_cast<std::size_t>(i) * channels];
            left[i] = frame[0];
            right[i] = channels > 1 ? frame[1] : frame[0];
        }
        return got;
    }

private:
    SNDFILE* file_;
    SF_INFO info_;
    std::string path_;
    std::vector<float> interleaved;
};

} // namespace

std::unique_ptr<SignalSource> openSignalFile(const std::string& path, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        sf_close(file);
        error = path + " holds no audio";
        return nullptr;
    }
    // Integer files are read as floats from -1 to 1, without clipping or
    // rescaling anything else.
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    return std::make_unique<SignalFile>(file, info, path);
}
