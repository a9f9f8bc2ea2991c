// Loading a 1 s 16-bit stereo 44100 Hz wave file and converting it to the mixer's default
// output format (8-bit mono 11025 Hz): WaveMixOpenWave + WaveMixFreeWave against
// SDL_LoadWAV + SDL_ConvertAudio (+ frees). The file sits in the page cache after the
// first round, so both measure parsing and conversion rather than the disk.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "BenchWaveFile.h"
#include "audio/IniFileProfile.h"
#include "audio/NullWaveOut.h"
#include "platform/testing/QueuedMessageLoop.h"
#include "platform/core/Clock.h"
#include "wavemix/WaveMix.h"

#ifdef WAVEMIX_BENCH_WITH_SDL2
#include <SDL.h>
#endif

namespace {

const std::filesystem::path& benchFile() {
  static const std::filesystem::path path =
      bench::writeTempWave(bench::makeWave16Stereo(44100, 1.0), "wavemix-bench-16s44.wav");
  return path;
}

void BM_WaveMixOpenWave(benchmark::State& state) {
  platform::ManualClock clock;
  platform::NullWaveOut devices(clock, platform::PacingDriver::Caller);
  platform::QueuedMessageLoop loop;
  platform::IniFileProfile profile;
  wavemix::WaveMixSetPlatform(
      {.waveOut = &devices, .messageLoop = &loop, .clock = &clock, .profile = &profile});
  wavemix::HMixSession session = wavemix::WaveMixInit(nullptr);
  const std::string path = benchFile().string();
  for (auto _ : state) {
    wavemix::WaveMixWave* wave = wavemix::WaveMixOpenWave(session, path.c_str(), nullptr, wavemix::kOpenFromFile);
    benchmark::DoNotOptimize(wave->header.data);
    wavemix::WaveMixFreeWave(session, wave);
  }
  wavemix::WaveMixCloseSession(session);
}
BENCHMARK(BM_WaveMixOpenWave);

#ifdef WAVEMIX_BENCH_WITH_SDL2
void BM_SdlLoadAndConvert(benchmark::State& state) {
  const std::string path = benchFile().string();
  for (auto _ : state) {
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &buffer, &length)) {
      state.SkipWithError(SDL_GetError());
      return;
    }
    SDL_AudioCVT cvt;
    SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_U8, 1, 11025);
    cvt.len = static_cast<int>(length);
    cvt.buf = static_cast<Uint8*>(std::malloc(static_cast<std::size_t>(length) * cvt.len_mult));
    std::memcpy(cvt.buf, buffer, length);
    SDL_FreeWAV(buffer);
    SDL_ConvertAudio(&cvt);
    Uint8* converted = cvt.buf;  // a packed field cannot be bound to a reference
    benchmark::DoNotOptimize(converted);
    std::free(cvt.buf);
  }
}
BENCHMARK(BM_SdlLoadAndConvert);
#endif

}  // namespace
