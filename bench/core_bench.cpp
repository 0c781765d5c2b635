// The core's cost per byte of input: TextFind, TextBetween and GenerateLinks
// over share addresses of 100 B, 10 KiB and 1 MiB, each against a plain
// std::string_view::find over the same bytes, timed in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "link_generator.h"
#include "text.h"
#include "text_between.h"

namespace {

constexpr std::int64_t kSizes[] = {100, 10 * 1024, 1024 * 1024};

// The values come last, so every search runs over the whole address.
constexpr std::string_view kTail = "?shareid=123456789&uk=987654321";

// A long share address: ASCII and GBK characters (网盘分享), cut on a
// character boundary, then the values.
std::string ShareAddress(std::int64_t size) {
    constexpr std::string_view kFiller = "pan.baidu.com/s/\xCD\xF8\xC5\xCC\xB7\xD6\xCF\xED/";
    const std::size_t fillerBytes = static_cast<std::size_t>(size) - kTail.size();
    std::string address;
    address.reserve(static_cast<std::size_t>(size));
    while (address.size() < fillerBytes) {
        const std::size_t room = fillerBytes - address.size();
        for (std::size_t i = 0; i < kFiller.size() && i < room; ++i) {
            const bool lead = static_cast<unsigned char>(kFiller[i]) >= 0x80;
            if (lead && i + 1 == room) {
                address += '/';  // no lead byte without its second byte
                break;
            }
            address += kFiller[i];
            if (lead) address += kFiller[++i];
        }
    }
    address += kTail;
    return address;
}

void Measure(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(state.range(0));
}

void StringViewFind(benchmark::State& state) {
    const std::string address = ShareAddress(state.range(0));
    const std::string_view view = address;
    for (auto _ : state) benchmark::DoNotOptimize(view.find("id="));
    if (view.find("id=") == std::string_view::npos) state.SkipWithError("no marker in the address");
    Measure(state);
}

void TextFindCase(benchmark::State& state, bool ignoreCase) {
    const corvanel::Text address(ShareAddress(state.range(0)));
    const corvanel::Text sought("id=");
    for (auto _ : state) benchmark::DoNotOptimize(corvanel::TextFind(address, sought, std::nullopt, ignoreCase));
    if (corvanel::TextFind(address, sought, std::nullopt, ignoreCase) < 0) state.SkipWithError("not found");
    Measure(state);
}
void TextFind(benchmark::State& state) { TextFindCase(state, false); }
void TextFindIgnoringCase(benchmark::State& state) { TextFindCase(state, true); }

void TextBetween(benchmark::State& state) {
    const corvanel::Text address(ShareAddress(state.range(0)));
    corvanel::Text leading("id=");
    corvanel::Text trailing("&");
    for (auto _ : state) {
        corvanel::Text value = corvanel::TextBetween(address, leading, trailing, 0, false);
        benchmark::DoNotOptimize(value);
    }
    if (corvanel::TextBetween(address, leading, trailing, 0, false).Bytes() != "123456789")
        state.SkipWithError("wrong value");
    Measure(state);
}

// The input box holds the address; the link boxes keep what is written.
class Boxes final : public corvanel::BoxAccess {
public:
    explicit Boxes(std::string_view address) : input_(address) {}
    corvanel::Text ReadBoxContent(corvanel::BoxName box) override {
        return box == corvanel::BoxName::编辑框1 ? input_ : corvanel::Text();
    }
    void WriteBoxContent(corvanel::BoxName box, const corvanel::Text& text) override {
        written_[static_cast<int>(box)] = text;
    }
    const corvanel::Text& Written(corvanel::BoxName box) const { return written_[static_cast<int>(box)]; }

private:
    corvanel::Text input_;
    corvanel::Text written_[4];
};

void GenerateLinks(benchmark::State& state) {
    Boxes boxes(ShareAddress(state.range(0)));
    for (auto _ : state) corvanel::GenerateLinks(boxes);
    if (boxes.Written(corvanel::BoxName::编辑框2).Bytes().find("123456789/987654321.mp3") == std::string_view::npos)
        state.SkipWithError("wrong link");
    Measure(state);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (const std::int64_t size : kSizes) benchmark->Arg(size);
    benchmark->Complexity(benchmark::oN);
}

BENCHMARK(StringViewFind)->Apply(Sizes);
BENCHMARK(TextFind)->Apply(Sizes);
BENCHMARK(TextFindIgnoringCase)->Apply(Sizes);
BENCHMARK(TextBetween)->Apply(Sizes);
BENCHMARK(GenerateLinks)->Apply(Sizes);

// Keeps the CPU time per byte of every run, to print the ratios to the
// baseline once all have run.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a saved log stays plain text.
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
            const auto bytes = run.counters.find("bytes");
            if (bytes == run.counters.end()) continue;
            const double nanoseconds = run.GetAdjustedCPUTime() * NanosecondsPer(run.time_unit);
            const auto size = static_cast<std::int64_t>(bytes->second.value);
            const std::string& name = run.run_name.function_name;
            if (!perByte_.contains(name)) order_.push_back(name);
            perByte_[name][size] = nanoseconds / bytes->second.value;
        }
    }

    void PrintRatios() const {
        const auto baseline = perByte_.find("StringViewFind");
        if (baseline == perByte_.end()) return;
        std::printf("\nCPU time per byte, and its ratio to std::string_view::find over the same bytes;\n"
                    "the last column is the time per byte at 1 MiB over that at 10 KiB (1.00: linear)\n");
        std::printf("%-22s", "");
        for (const std::int64_t size : kSizes) std::printf(" %23s", SizeName(size).c_str());
        std::printf(" %10s\n", "1MiB/10KiB");
        for (const std::string& name : order_) {
            const std::map<std::int64_t, double>& sizes = perByte_.at(name);
            std::printf("%-22s", name.c_str());
            for (const std::int64_t size : kSizes) {
                const auto cell = sizes.find(size);
                const auto base = baseline->second.find(size);
                if (cell == sizes.end() || base == baseline->second.end())
                    std::printf(" %23s", "-");
                else
                    std::printf(" %9.4f ns/B  x%7.2f", cell->second, cell->second / base->second);
            }
            const auto small = sizes.find(kSizes[1]);
            const auto large = sizes.find(kSizes[2]);
            if (small != sizes.end() && large != sizes.end())
                std::printf(" %10.2f", large->second / small->second);
            std::printf("\n");
        }
    }

private:
    static double NanosecondsPer(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond: return 1;
        case benchmark::kMicrosecond: return 1e3;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kSecond: return 1e9;
        }
        return 1;
    }
    static std::string SizeName(std::int64_t size) {
        if (size >= 1024 * 1024) return std::to_string(size / (1024 * 1024)) + " MiB";
        if (size >= 1024) return std::to_string(size / 1024) + " KiB";
        return std::to_string(size) + " B";
    }

    std::vector<std::string> order_;
    std::map<std::string, std::map<std::int64_t, double>> perByte_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
