#include "harness/byte_stream.h"

#include <cstring>

void ByteWriter::u8(std::uint8_t value) {
    bytes_.push_back(value);
}

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::i32(std::int32_t value) {
    u32(static_cast<std::uint32_t>(value));
}

void ByteWriter::i64(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    u32(static_cast<std::uint32_t>(bits));
    u32(static_cast<std::uint32_t>(bits >> 32));
}

void ByteWriter::f32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void ByteWriter::string(const std::string& text) {
    u32(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ByteWriter::floats(const float* values, std::size_t count) {
    bytes_.reserve(bytes_.size() + count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        f32(values[i]);
    }
}

bool ByteReader::take(std::size_t count, const std::uint8_t*& start) {
    if (!ok_ || count > size_ - offset) {
        ok_ = false;
        return false;
    }
    start = data_ + offset;
    offset += count;
    return true;
}

bool ByteReader::u8(std::uint8_t& value) {
    const std::uint8_t* start = nullptr;
    if (!take(1, start)) {
        return false;
    }
    value = start[0];
    return true;
}

bool ByteReader::u32(std::uint32_t& value) {
    const std::uint8_t* start = nullptr;
    if (!take(4, start)) {
        return false;
    }
    value = static_cast<std::uint32_t>(start[0]) | (static_cast<std::uint32_t>(start[1]) << 8) |
            (static_cast<std::uint32_t>(start[2]) << 16) |
            (static_cast<std::uint32_t>(start[3]) << 24);
    return true;
}

bool ByteReader::i32(std::int32_t& value) {
    std::uint32_t bits = 0;
    if (!u32(bits)) {
        return false;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool ByteReader::i64(std::int64_t& value) {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    if (!u32(low) || !u32(high)) {
        return false;
    }
    value = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
    return true;
}

bool ByteReader::f32(float& value) {
    std::uint32_t bits = 0;
    if (!u32(bits)) {
        return false;
    }
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ByteReader::string(std::string& text) {
    std::uint32_t length = 0;
    const std::uint8_t* start = nullptr;
    if (!u32(length) || !take(length, start)) {
        return false;
    }
    text.assign(reinterpret_cast<const char*>(start), length);
    return true;
}

bool ByteReader::floats(std::vector<float>& values, std::size_t count) {
    if (!ok_ || count > remaining() / 4) {
        ok_ = false;
        return false;
    }
    values.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        f32(values[i]);
    }
    return true;
}
