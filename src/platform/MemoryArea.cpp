#include "platform/MemoryArea.h"

#include <sys/mman.h>

namespace platform {

std::unique_ptr<MemoryArea> MemoryArea::create(std::size_t size) {
    if (size == 0) {
        return nullptr;
    }
    void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (view == MAP_FAILED) {
        return nullptr;
    }
    return std::unique_ptr<MemoryArea>(new MemoryArea(static_cast<std::uint8_t*>(view), size));
}

MemoryArea::~MemoryArea() {
    ::munmap(data_, size_);
}

} // namespace platform
