// Little-endian encoding of the plug-in server's messages, independent of
// the machine's own byte order. Floats travel as their exact bit patterns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ByteWriter {
public:
    void u8(std::uint8_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value);
    void i64(std::int64_t value);
    void f32(float value);
    void string(const std::string& text);
    void floats(const float* values, std::size_t count);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads what a ByteWriter wrote. A read past the end fails, leaves its
// target unchanged and makes every later read fail too.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(const std::vector<std::uint8_t>& bytes)
        : ByteReader(bytes.data(), bytes.size()) {}

    bool u8(std::uint8_t& value);
    bool u32(std::uint32_t& value);
    bool i32(std::int32_t& value);
    bool i64(std::int64_t& value);
    bool f32(float& value);
    bool string(std::string& text);
    // Reads `count` floats into `values` (resized to fit).
    bool floats(std::vector<float>& values, std::size_t count);

    bool ok() const { return ok_; }
    // All bytes consumed and no read failed.
    bool atEnd() const { return ok_ && offset == size_; }
    std::size_t remaining() const { return size_ - offset; }

private:
    bool take(std::size_t count, const std::uint8_t*& start);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset = 0;
    bool ok_ = true;
};
