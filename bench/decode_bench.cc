// Micro-benchmarks: the load of each layout from memory, and the document writer, in MB/s of the
// bytes each one goes through.
#include <benchmark/benchmark.h>

#include "eps.h"
#include "file.h"
#include "picture/load.h"
#include "scan.h"

namespace {

void Decode(benchmark::State& state, const char* kind) {
  const int64_t side = state.range(0);
  const std::vector<uint8_t> file = scan::Bytes(kind, side, side);
  for (auto _ : state) {
    MemorySource source(file.data(), file.size());
    Picture picture = DecodeBitmap(source, file.size());
    benchmark::DoNotOptimize(picture.Stored(0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void Encode(benchmark::State& state) {
  const int64_t side = state.range(0);
  const std::vector<uint8_t> file = scan::Bytes("pal1", side, side);
  MemorySource source(file.data(), file.size());
  const Picture picture = DecodeBitmap(source, file.size());
  int64_t bytes = 0;
  for (auto _ : state) {
    TextFile out(size_t{1} << 20);
    out.Assign("/dev/null");
    out.Rewrite();
    WriteDocument(picture, out);
    bytes += 2 * int64_t{picture.RowBytes()} * picture.Height();
  }
  state.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK_CAPTURE(Decode, rgb24, "rgb24")->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, rgb32, "rgb32")->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, pal8, "pal8")->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, pal4, "pal4")->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, pal1, "pal1")->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, rle8, "rle8")->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(Encode)->Arg(4000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
