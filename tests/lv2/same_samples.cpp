// same-samples A.wav B.wav: exit 0 when both files hold the same channels,
// frame count and sample values bit for bit, whatever else their headers
// carry (one writer adds a peak chunk, another padding). Otherwise prints
// the first difference and exits 1.
#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Samples {
    int channels = 0;
    int rate = 0;
    std::vector<float> values;
};

bool readAll(const char* path, Samples& samples) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "same-samples: cannot read %s: %s\n", path, sf_strerror(nullptr));
        return false;
    }
    samples.channels = info.channels;
    samples.rate = info.samplerate;
    samples.values.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, samples.values.data(), info.frames);
    sf_close(file);
    samples.values.resize(static_cast<std::size_t>(got * info.channels));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: same-samples A.wav B.wav\n");
        return 2;
    }
    Samples a;
    Samples b;
    if (!readAll(argv[1], a) || !readAll(argv[2], b)) {
        return 2;
    }
    if (a.channels != b.channels || a.rate != b.rate || a.values.size() != b.values.size()) {
        std::fprintf(stderr,
                     "same-samples: %d channels at %d Hz, %zu samples against %d, %d, %zu\n",
                     a.channels, a.rate, a.values.size(), b.channels, b.rate, b.values.size());
        return 1;
    }
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        if (std::memcmp(&a.values[i], &b.values[i], sizeof(float)) != 0) {
            std::fprintf(stderr, "same-samples: frame %zu channel %zu: %.9g against %.9g\n",
                         i / static_cast<std::size_t>(a.channels),
                         i % static_cast<std::size_t>(a.channels), static_cast<double>(a.values[i]),
                         static_cast<double>(b.values[i]));
            return 1;
        }
    }
    if (a.values.empty()) {
        std::fprintf(stderr, "same-samples: both files are empty\n");
        return 1;
    }
    return 0;
}
