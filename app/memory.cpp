// The program's global operator new and delete: every allocation of the
// program, the standard containers' included, comes from AllocateMemory. When
// memory runs out the process ends through the fatal path with the byte count,
// so no std::bad_alloc ever unwinds through a window procedure that Windows
// called, and none ends in std::terminate without a word to the user.
#include <cstddef>
#include <cstdint>
#include <new>

#include "text_memory.h"

namespace {

// Over-aligned blocks: room for the alignment and, just before the aligned
// address, the address AllocateMemory gave.
void* AllocateAligned(std::size_t bytes, std::align_val_t alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t extra = align + sizeof(void*);
    const std::size_t total = bytes > static_cast<std::size_t>(-1) - extra ? static_cast<std::size_t>(-1)
                                                                           : bytes + extra;
    void* block = corvanel::AllocateMemory(total);
    const auto start = reinterpret_cast<std::uintptr_t>(block) + sizeof(void*);
    const std::uintptr_t aligned = (start + align - 1) & ~static_cast<std::uintptr_t>(align - 1);
    reinterpret_cast<void**>(aligned)[-1] = block;
    return reinterpret_cast<void*>(aligned);
}

void FreeAligned(void* memory) noexcept {
    if (memory) corvanel::FreeMemory(static_cast<void**>(memory)[-1]);
}

}  // namespace

void* operator new(std::size_t bytes) { return corvanel::AllocateMemory(bytes); }
void* operator new[](std::size_t bytes) { return corvanel::AllocateMemory(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return corvanel::AllocateMemory(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return corvanel::AllocateMemory(bytes); }
void* operator new(std::size_t bytes, std::align_val_t alignment) { return AllocateAligned(bytes, alignment); }
void* operator new[](std::size_t bytes, std::align_val_t alignment) { return AllocateAligned(bytes, alignment); }
void* operator new(std::size_t bytes, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(bytes, alignment);
}
void* operator new[](std::size_t bytes, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(bytes, alignment);
}

void operator delete(void* memory) noexcept { corvanel::FreeMemory(memory); }
void operator delete[](void* memory) noexcept { corvanel::FreeMemory(memory); }
void operator delete(void* memory, std::size_t) noexcept { corvanel::FreeMemory(memory); }
void operator delete[](void* memory, std::size_t) noexcept { corvanel::FreeMemory(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { corvanel::FreeMemory(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { corvanel::FreeMemory(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { FreeAligned(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { FreeAligned(memory); }
