#pragma once
// An anonymous shared memory area of a fixed size, filled with zeros, released with the object.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

class MemoryArea {
public:
    // Maps `size` bytes; null when size is 0 or the system refuses.
    static std::unique_ptr<MemoryArea> create(std::size_t size);

    ~MemoryArea();
    MemoryArea(const MemoryArea&) = delete;
    MemoryArea& operator=(const MemoryArea&) = delete;

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    MemoryArea(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t* data_;
    std::size_t size_;
};

} // namespace platform
