// The library stream codec against a plain memcpy of the same bytes, and the round trip
// through a file, for libraries of 100, 10,000 and 100,000 game sets; and the live check of a
// setup with its code.
#include "LibraryFixture.h"
#include "library/GameSetText.h"
#include "script/SetupCheck.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds one memcpy of `size` bytes takes, the best of many.
double MemcpySeconds(size_t size) {
    std::vector<uint8_t> from(size, 0x5A), to(size);
    double best = 1e9;
    for (int i = 0; i < 50; ++i) {
        auto start = Clock::now();
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void Report(benchmark::State& state, size_t sets, size_t bytes, double seconds) {
    double iterations = double(state.iterations());
    state.counters["sets/s"] = benchmark::Counter(double(sets) * iterations / seconds);
    state.counters["MB/s"] = benchmark::Counter(double(bytes) * iterations / seconds / 1e6);
    state.counters["ms"] = benchmark::Counter(seconds / iterations * 1e3);
    state.counters["x_memcpy"] = benchmark::Counter(seconds / iterations / MemcpySeconds(bytes));
}

void BM_WriteStream(benchmark::State& state) {
    GameSetMap sets = MakeLibrary(int(state.range(0)));
    std::vector<uint8_t> bytes;
    double seconds = 0;
    for (auto _ : state) {
        bytes.clear();
        auto start = Clock::now();
        WriteLibraryStream(sets, bytes);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(bytes.data());
    }
    Report(state, sets.size(), bytes.size(), seconds);
}

void BM_ReadStream(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    WriteLibraryStream(MakeLibrary(int(state.range(0))), bytes);
    double seconds = 0;
    size_t count = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        GameSetMap sets = ReadLibraryStream(bytes.data(), bytes.size());
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        count = sets.size();
        state.PauseTiming(); // freeing the records is not part of reading
        sets.clear();
        state.ResumeTiming();
    }
    Report(state, count, bytes.size(), seconds);
}

// Save and load through a file, as the program does: encode, write, flush; read, decode.
void BM_FileRoundTrip(benchmark::State& state) {
    GameSetMap sets = MakeLibrary(int(state.range(0)));
    const char* path = "bench-QXData.dat";
    size_t size = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        {
            std::vector<uint8_t> bytes;
            WriteLibraryStream(sets, bytes);
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            out.flush();
            size = bytes.size();
        }
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        GameSetMap read = ReadLibraryStream(bytes.data(), bytes.size());
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        read.clear();
        state.ResumeTiming();
    }
    std::remove(path);
    Report(state, sets.size(), size, seconds);
}

void BM_ReadCraftedStream(benchmark::State& state) {
    std::vector<uint8_t> bytes = StreamOfEmptySets(int(state.range(0)), state.range(1) != 0);
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        try {
            benchmark::DoNotOptimize(ReadLibraryStream(bytes.data(), bytes.size()));
        } catch (const CArchiveException&) {
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["MB"] = benchmark::Counter(double(bytes.size()) / 1e6);
    state.counters["ms"] = benchmark::Counter(seconds / double(state.iterations()) * 1e3);
}

// What the form does on every edit: the check of all 22 slots, the game-set text and its code,
// for a full setup with a problem in every third slot.
void BM_CheckSetupAndCode(benchmark::State& state) {
    PlayValues setup;
    setup.flags = FlagValue(kFlagHostSelected);
    setup.difficulty = 1;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        setup.ships[slot] = slot % 3 ? "\"N-QR" + std::to_string(slot) + "\"" : "n-qrf";
        setup.positions[slot] = slot % 20;
    }
    setup.title = "Team Base Assault";
    for (auto _ : state) {
        std::vector<SetupProblem> problems = CheckSetup(setup);
        benchmark::DoNotOptimize(CheckLine(problems, SetupCode(WriteGameSetText(setup))));
    }
}

BENCHMARK(BM_CheckSetupAndCode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteStream)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStream)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileRoundTrip)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
// {MB, repeated descriptors}: the crafted stream against an ordinary one of the same size.
BENCHMARK(BM_ReadCraftedStream)
    ->Args({16, 0})
    ->Args({16, 1})
    ->Args({64, 0})
    ->Args({64, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
