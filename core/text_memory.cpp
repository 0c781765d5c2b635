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

#ifdef CORVANEL_ALLOCATION_FAILURE_INJECTION
long allocationsUntilFailure = 0;

bool InjectedFailureDue() {
    if (allocationsUntilFailure <= 0) return false;
    return --allocationsUntilFailure == 0;
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

void ReportFatalError(std::string_view message) {
    fatalErrorDisplay(message);
    std::_Exit(-1);
}

void* AllocateTextMemory(std::size_t bytes) {
    void* memory = InjectedFailureDue() ? nullptr : std::malloc(bytes ? bytes : 1);
    if (!memory) ReportOutOfMemory(bytes);
    return memory;
}

void FreeTextMemory(void* memory) noexcept { std::free(memory); }

#ifdef CORVANEL_ALLOCATION_FAILURE_INJECTION
void FailTextAllocationNumber(long n) { allocationsUntilFailure = n > 0 ? n : 0; }
#endif

}  // namespace corvanel
