// Two channels of float samples laid out as the process entries take them.
#pragma once

#include <vector>

#include "host/vst_types.h"

class StereoBuffer {
public:
    explicit StereoBuffer(int32 frames = 0);
    StereoBuffer(const StereoBuffer& other);
    StereoBuffer& operator=(const StereoBuffer& other);

    // Keeps the samples that fit; new ones are silent.
    void resize(int32 frames);
    void fill(float value);
    int32 frames() const { return static_cast<int32>(left_.size()); }

    float* left() { return left_.data(); }
    float* right() { return right_.data(); }
    const float* left() const { return left_.data(); }
    const float* right() const { return right_.data(); }
    // The pair of channel pointers a process entry expects.
    float** channels();

private:
    std::vector<float> left_;
    std::vector<float> right_;
    float* channels_[2] = {nullptr, nullptr};
};
