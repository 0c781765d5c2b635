// The one fatal path: a text allocation that fails ends the process through
// ReportFatalError, with the number of bytes in its message and exit code -1.
// Built against the core with allocation failure injection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "link_generator.h"
#include "program_texts.h"
#include "text.h"
#include "text_memory.h"

namespace corvanel {
namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

// Stands in for the error box: the message goes to standard error, where the
// death test sees it, framed so that the test knows this display showed it.
void ShowOnStandardError(std::string_view message) {
    std::fputs("[fatal display <", stderr);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputs(">]", stderr);
    std::fflush(stderr);
}

std::string Shown(std::string_view message) {
    return "[fatal display <" + std::string(message) + ">]";
}

std::string OutOfMemoryMessage(std::string_view bytes) {
    return std::string(kOutOfMemoryBefore) + std::string(bytes) + std::string(kOutOfMemoryAfter);
}

// Exit code -1: on Windows the code itself; elsewhere only its low 8 bits.
bool ExitedWithMinusOne(int status) {
#ifdef _WIN32
    return status == -1;
#else
    return WIFEXITED(status) && WEXITSTATUS(status) == 255;
#endif
}

// The byte count that the shown out-of-memory message names, if it is one.
std::optional<unsigned long long> ShownByteCount(const std::string& output) {
    const std::string head = "[fatal display <" + std::string(kOutOfMemoryBefore);
    const std::string tail = std::string(kOutOfMemoryAfter) + ">]";
    const std::size_t begin = output.find(head);
    if (begin == std::string::npos) return std::nullopt;
    const std::size_t digits = begin + head.size();
    const std::size_t end = output.find(tail, digits);
    if (end == std::string::npos || end == digits) return std::nullopt;
    unsigned long long count = 0;
    for (std::size_t i = digits; i < end; ++i) {
        if (output[i] < '0' || output[i] > '9') return std::nullopt;
        count = count * 10 + static_cast<unsigned long long>(output[i] - '0');
    }
    return count;
}

testing::Matcher<const std::string&> NamesAtLeastBytes(unsigned long long least) {
    return testing::Truly([least](const std::string& output) {
        const std::optional<unsigned long long> count = ShownByteCount(output);
        return count && *count >= least;
    });
}

class FatalErrorDeathTest : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FatalErrorDeathTest, ShowsTheMessageThenExitsWithMinusOne) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            ReportFatalError("cannot go on");
        },
        ExitedWithMinusOne, HasSubstr(Shown("cannot go on")));
}

void SayExitHandlerRan() { std::fputs("exit handler ran", stderr); }

TEST_F(FatalErrorDeathTest, EndsAtOnceWithoutExitHandlers) {
    EXPECT_EXIT(
        {
            std::atexit(SayExitHandlerRan);
            SetFatalErrorDisplay(ShowOnStandardError);
            ReportFatalError("now");
        },
        ExitedWithMinusOne, AllOf(HasSubstr(Shown("now")), Not(HasSubstr("exit handler ran"))));
}

TEST_F(FatalErrorDeathTest, WithoutADisplayTheMessageStillReachesStandardError) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            SetFatalErrorDisplay(nullptr);
            ReportFatalError("plain message");
        },
        ExitedWithMinusOne, AllOf(HasSubstr("plain message"), Not(HasSubstr("[fatal display"))));
}

TEST_F(FatalErrorDeathTest, FailedAllocationNamesTheBytesAskedFor) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            FailAllocationNumber(1);
            TextAllocator<char>().allocate(1000);
        },
        ExitedWithMinusOne, HasSubstr(Shown(OutOfMemoryMessage("1000"))));
}

TEST_F(FatalErrorDeathTest, TheNthAllocationFails) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            FailAllocationNumber(2);
            TextAllocator<char> allocator;
            char* first = allocator.allocate(10);
            std::fputs("first allocation done", stderr);
            allocator.deallocate(first, 10);
            allocator.allocate(20);
        },
        ExitedWithMinusOne,
        AllOf(HasSubstr("first allocation done"), HasSubstr(Shown(OutOfMemoryMessage("20")))));
}

TEST_F(FatalErrorDeathTest, ARequestNoMemoryCanHoldNamesItsSize) {
    // Real allocation, no injection: the largest request cannot be met.
    const std::string largest = std::to_string(static_cast<std::size_t>(-1));
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            TextAllocator<char>().allocate(static_cast<std::size_t>(-1));
        },
        ExitedWithMinusOne, HasSubstr(Shown(OutOfMemoryMessage(largest))));
    // A count whose size in bytes overflows is reported as the largest request.
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            TextAllocator<std::uint64_t>().allocate(static_cast<std::size_t>(-1) / 4);
        },
        ExitedWithMinusOne, HasSubstr(Shown(OutOfMemoryMessage(largest))));
}

TEST_F(FatalErrorDeathTest, ATextOperationWithoutMemoryEndsTheProcess) {
    const Text part(std::string(20, 'x'));
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            FailAllocationNumber(1);
            const Text joined = TextConcat(part, part);
            std::fputs("concat returned", stderr);
        },
        ExitedWithMinusOne, AllOf(NamesAtLeastBytes(40), Not(HasSubstr("concat returned"))));
}

class WritingBoxes final : public BoxAccess {
public:
    Text ReadBoxContent(BoxName) override {
        return Text("https://pan.baidu.com/share/link?shareid=123456789&uk=987654321");
    }
    void WriteBoxContent(BoxName, const Text&) override { std::fputs("box written", stderr); }
};

TEST_F(FatalErrorDeathTest, AnActionWithoutMemoryWritesNoBox) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            WritingBoxes boxes;
            // The first text is the address read from the box; the second, the
            // address with a blank appended, cannot be had.
            FailAllocationNumber(2);
            GenerateLinks(boxes);
        },
        ExitedWithMinusOne, AllOf(NamesAtLeastBytes(1), Not(HasSubstr("box written"))));
}

// Memory that stays exhausted: the allocations before the nth succeed, the
// nth and every later one fail.
TEST_F(FatalErrorDeathTest, EveryAllocationFromTheNthOnFails) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowOnStandardError);
            FailAllocationsFrom(3);
            TextAllocator<char> allocator;
            allocator.deallocate(allocator.allocate(10), 10);
            allocator.deallocate(allocator.allocate(11), 11);
            std::fputs("two allocations done", stderr);
            allocator.allocate(30);
        },
        ExitedWithMinusOne,
        AllOf(HasSubstr("two allocations done"), HasSubstr(Shown(OutOfMemoryMessage("30")))));
}

// A display that needs memory while memory stays exhausted: the process ends
// with -1 after the first message instead of reporting again and again.
void ShowThenAllocate(std::string_view message) {
    ShowOnStandardError(message);
    const Text copy(message);
    std::fputs("the display got memory", stderr);
}

TEST_F(FatalErrorDeathTest, AFailureWhileReportingEndsTheProcessAtOnce) {
    EXPECT_EXIT(
        {
            SetFatalErrorDisplay(ShowThenAllocate);
            FailAllocationsFrom(1);
            TextAllocator<char>().allocate(50);
        },
        ExitedWithMinusOne,
        testing::Truly([](const std::string& output) {
            const std::string first = Shown(OutOfMemoryMessage("50"));
            const std::size_t at = output.find(first);
            return at != std::string::npos && output.find("[fatal display", at + first.size()) == std::string::npos &&
                   output.find("the display got memory") == std::string::npos;
        }));
}

TEST(FailureInjection, ZeroTurnsItOff) {
    FailAllocationNumber(1);
    FailAllocationNumber(0);
    FailAllocationsFrom(1);
    FailAllocationsFrom(0);
    const Text text(std::string(40, 'y'));
    EXPECT_EQ(TextLength(TextConcat(text, text)), 80);
}

}  // namespace
}  // namespace corvanel
