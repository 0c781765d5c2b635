#include "text_memory.h"

#include <cstdio>
#include <cstdlib>

#include "program_texts.h"

namespace corvanel {
namespace {

void WriteToStandardError(std::string_view message) {
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

FatalErrorDisplay fatalErrorDisplay = WriteToStandardError;

#ifdef CORVANEL_FAILURE_INJECTION
long allocationsCounted = 0;
long failingAllocation = 0;       // 0: none
long firstOfFailingAllocations = 0;  // 0: none

bool InjectedFailureDue() {
    ++allocationsCounted;
    return allocationsCounted == failingAllocation ||
           (firstOfFailingAllocations > 0 && allocationsCounted >= firstOfFailingAllocations);
}
#else
constexpr bool InjectedFailureDue() { return false; }
#endif

}  // namespace

// Builds the message in a fixed buffer: there is no memory left to build it in.
void ReportOutOfMemory(std::size_t bytes) {
    char message[128];
    std::size_t used = 0;
    auto append = [&](std::string_view part) {
        for (char c : part)
            if (used < sizeof message) message[used++] = c;
    };
    char digits[24];
    std::size_t digitCount = 0;
    do {
        digits[digitCount++] = static_cast<char>('0' + bytes % 10);
        bytes /= 10;
    } while (bytes != 0);
    append(kOutOfMemoryBefore);
    while (digitCount != 0) append(std::string_view(&digits[--digitCount], 1));
    append(kOutOfMemoryAfter);
    ReportFatalError(std::string_view(message, used));
}

void SetFatalErrorDisplay(FatalErrorDisplay display) {
    fatalErrorDisplay = display ? display : WriteToStandardError;
}

// The display may run a message loop, in which the program's windows still
// paint; should memory fail again there, the process ends at once rather than
// stacking a second box on the first.
void ReportFatalError(std::string_view message) {
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        fatalErrorDisplay(message);
    }
    std::_Exit(-1);
}

void* AllocateMemory(std::size_t bytes) {
    void* memory = InjectedFailureDue() ? nullptr : std::malloc(bytes ? bytes : 1);
    if (!memory) ReportOutOfMemory(bytes);
    return memory;
}

void FreeMemory(void* memory) noexcept { std::free(memory); }

#ifdef CORVANEL_FAILURE_INJECTION
void FailAllocationNumber(long n) {
    allocationsCounted = 0;
    failingAllocation = n > 0 ? n : 0;
}

void FailAllocationsFrom(long n) {
    allocationsCounted = 0;
    firstOfFailingAllocations = n > 0 ? n : 0;
}
#endif

}  // namespace corvanel
