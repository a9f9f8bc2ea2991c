// Mixing one 4096-byte output block from 1, 2, 4 and 8 sources: the mixer's MixSamples
// against a plain memcpy of one source (the floor) and against SDL2's SDL_MixAudioFormat
// with AUDIO_U8 applied source by source onto a silent block (the same result, less the
// exact clipping rule). Bytes per second processed are reported per source.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchWaveFile.h"
#include "wavemix/MixSamples.h"

#ifdef WAVEMIX_BENCH_WITH_SDL2
#include <SDL.h>
#endif

namespace {

constexpr std::size_t kBlock = 4096;

void BM_MixSamples(benchmark::State& state) {
  const int sources = static_cast<int>(state.range(0));
  const auto blocks = bench::makeNoiseBlocks(sources, kBlock);
  std::vector<const std::uint8_t*> pointers;
  for (const auto& block : blocks) pointers.push_back(block.data());
  std::vector<std::uint8_t> out(kBlock);
  for (auto _ : state) {
    wavemix::MixSamples(out.data(), pointers.data(), kBlock, sources);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBlock * sources));
}
BENCHMARK(BM_MixSamples)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

void BM_Memcpy(benchmark::State& state) {
  const auto blocks = bench::makeNoiseBlocks(1, kBlock);
  std::vector<std::uint8_t> out(kBlock);
  for (auto _ : state) {
    std::memcpy(out.data(), blocks[0].data(), kBlock);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBlock));
}
BENCHMARK(BM_Memcpy);

#ifdef WAVEMIX_BENCH_WITH_SDL2
void BM_SdlMixAudioFormat(benchmark::State& state) {
  const int sources = static_cast<int>(state.range(0));
  const auto blocks = bench::makeNoiseBlocks(sources, kBlock);
  std::vector<std::uint8_t> out(kBlock);
  for (auto _ : state) {
    std::memset(out.data(), 0x80, kBlock);
    for (const auto& block : blocks)
      SDL_MixAudioFormat(out.data(), block.data(), AUDIO_U8, static_cast<Uint32>(kBlock), SDL_MIX_MAXVOLUME);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBlock * sources));
}
BENCHMARK(BM_SdlMixAudioFormat)->Arg(1)->Arg(2)->Arg(4)->Arg(8);
#endif

}  // namespace
