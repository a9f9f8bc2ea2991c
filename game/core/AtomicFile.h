#pragma once
// Replacing a whole file so that a crash, a kill or a full disk at any instant leaves either
// the old file or the new one under the target name, never a mix or a truncated file.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace game {

// The steps of a replacement, in order.
enum class AtomicWriteStep { CreateTemp, Write, SyncFile, Rename, SyncFolder };

struct AtomicWriteResult {
  bool ok = false;
  std::string error;  // what failed and the system's reason; empty when ok
};

// Writes bytes to "<target>.tmp" in the target's folder (a stale temp of that name is removed
// first), flushes it to disk, renames it over target and flushes the folder. The new file
// takes the permission bits of the file it replaces. Writers of one folder are serialised with
// an advisory lock on the folder, so two processes cannot interleave their temps.
//
// When any step before the rename fails, target is untouched and the temp is removed. When
// only the final folder flush fails, the new file is in place but may not survive a power
// cut; this is reported as a failure too.
//
// beforeStep is a seam for tests: when given and it returns false for a step, that step fails
// as if the system had refused it (EIO).
AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                      const std::function<bool(AtomicWriteStep)>& beforeStep = {});

// "<target>.tmp": the temp name writeFileAtomically uses for target.
std::filesystem::path atomicTempPath(const std::filesystem::path& target);

}  // namespace game
