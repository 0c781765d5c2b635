// The program's memory and its one fatal path. Every byte a Text holds, and in
// the program every other allocation too (it replaces the global operator
// new), comes through AllocateMemory, so running out of memory is handled in
// one place: the process ends through ReportFatalError with a message naming
// the number of bytes asked for.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvanel {

// Shows a fatal error message and waits until the user has seen it. The
// program installs its Windows error box; tests install their own.
using FatalErrorDisplay = void (*)(std::string_view message);
void SetFatalErrorDisplay(FatalErrorDisplay display);

// Shows the message through the installed display, then ends the process at
// once with exit code -1: no clean-up, no destructors, no windows closed.
[[noreturn]] void ReportFatalError(std::string_view message);

// Ends the process through ReportFatalError with a message naming `bytes`.
[[noreturn]] void ReportOutOfMemory(std::size_t bytes);

// Never returns null: when memory cannot be had, the process ends.
void* AllocateMemory(std::size_t bytes);
void FreeMemory(void* memory) noexcept;

#ifdef CORVANEL_FAILURE_INJECTION
// Test builds only. Allocations are counted from the call on; the `n`th one
// fails as if memory had run out (n >= 1); 0 turns this injection off.
void FailAllocationNumber(long n);
// Test builds only. Every allocation from the `n`th on, counted from the call,
// fails, as when memory stays exhausted (n >= 1); 0 turns this injection off.
void FailAllocationsFrom(long n);
#endif

template <typename T>
struct TextAllocator {
    using value_type = T;
    TextAllocator() = default;
    template <typename U>
    TextAllocator(const TextAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        // A count whose byte size overflows can never be satisfied: report
        // it as the largest request rather than wrapping around.
        const std::size_t bytes = n > static_cast<std::size_t>(-1) / sizeof(T)
                                      ? static_cast<std::size_t>(-1)
                                      : n * sizeof(T);
        return static_cast<T*>(AllocateMemory(bytes));
    }
    void deallocate(T* p, std::size_t) noexcept { FreeMemory(p); }

    template <typename U>
    bool operator==(const TextAllocator<U>&) const noexcept { return true; }
};

}  // namespace corvanel
