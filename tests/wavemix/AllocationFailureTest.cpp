// Loading when memory runs out. This test program's allocations go through the replacement
// below, which refuses any single allocation of at least `refuseFrom` bytes while a test
// sets it (0: none refused), as an exhausted system would refuse a large one.
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

#include "MixerTestSupport.h"

namespace {

std::atomic<std::size_t> refuseFrom{0};

void* allocate(std::size_t size) {
  const std::size_t limit = refuseFrom.load(std::memory_order_relaxed);
  return limit != 0 && size >= limit ? nullptr : std::malloc(size == 0 ? 1 : size);
}

}  // namespace

// Every form of new and delete is replaced, so that none of them comes from elsewhere (a
// sanitizer's runtime has its own): blocks come from malloc and go back to free.
void* operator new(std::size_t size) {
  if (void* block = allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace wavemix::testing {
namespace {

using B = RiffBuilder;

class AllocationFailureTest : public MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    init();
  }
  void TearDown() override {
    refuseFrom = 0;
    MixerTest::TearDown();
  }
};

// A file that fits its bound but not in memory gives the allocation message, not a
// std::bad_alloc that the mixer's callers do not expect.
TEST_F(AllocationFailureTest, AFileTooLargeForMemoryGivesTheAllocationMessage) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("wavemix-alloc-" + std::to_string(::getpid()) + ".wav");
  const std::vector<std::uint8_t> image = B::wave(1, 11025, 8, std::vector<std::uint8_t>(1 << 20, 128));
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  refuseFrom = 1 << 20;
  EXPECT_WAVEMIX_ERROR(WaveMixOpenWave(session_, file.c_str(), nullptr, kOpenFromFile),
                       "Unable to allocate memory for waveform data.  Try making more memory available by "
                       "closing other applications.");
  refuseFrom = 0;
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace wavemix::testing
