#include "harness/stereo_buffer.h"

#include <algorithm>

StereoBuffer::StereoBuffer(int32 frames) {
    resize(frames);
}

StereoBuffer::StereoBuffer(const StereoBuffer& other) : left_(other.left_), right_(other.right_) {}

StereoBuffer& StereoBuffer::operator=(const StereoBuffer& other) {
    left_ = other.left_;
    right_ = other.right_;
    return *this;
}

void StereoBuffer::resize(int32 frames) {
    const auto count = static_cast<std::size_t>(std::max<int32>(frames, 0));
    left_.resize(count, 0.0f);
    right_.resize(count, 0.0f);
}

void StereoBuffer::fill(float value) {
    std::fill(left_.begin(), left_.end(), value);
    std::fill(right_.begin(), right_.end(), value);
}

float** StereoBuffer::channels() {
    channels_[0] = left_.data();
    channels_[1] = right_.data();
    return channels_;
}
