// A fuzz input read as a script of steps: one byte at a time for choices, runs of bytes for text.
// Past the end every choice reads 0 and every run is empty.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

class Script {
  public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    std::string take(std::size_t n) {
        n = std::min(n, size_ - at_);
        std::string bytes(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return bytes;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};
