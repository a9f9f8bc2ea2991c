#pragma once
// Where my.dat lives, and the rules that keep a player's profile safe on disk.
//
// Two places: the primary file beside the program's assets (<asset root>/dat/my.dat) and a
// fallback in the user's data folder ($XDG_DATA_HOME/pomuri/my.dat) for when the primary
// cannot be written. Loading takes the newer of the two, so a profile saved to the fallback
// is found again. When the asset folder is known to be read-only, the user's file is both
// primary and fallback, and my.dat beside the assets is a third, read-only place: a profile
// left there is still found, and once saved it lives in the user's file from then on.
//
// A damaged file is loaded as far as it reads and is never overwritten silently: before a
// save replaces it, it is kept beside it as "my.dat.damaged" (or "my.dat.damaged.1", ".2", …
// when that name is taken). Saves are atomic (see AtomicFile.h).
//
// Not thread-safe: the game loads and saves from its GUI thread.
#include <filesystem>
#include <string>
#include <vector>

#include "game/core/Profile.h"

namespace game {

class ProfileStore {
 public:
  // readOnly: a file that is read like the other two but never written; empty for none.
  ProfileStore(std::filesystem::path primary, std::filesystem::path fallback,
               std::filesystem::path readOnly = {});

  struct LoadOutcome {
    bool fresh = false;    // no profile could be read: the saved fields are zero
    bool damaged = false;  // some existing file was damaged or unreadable (see notices)
    std::filesystem::path readFrom;    // the file the profile came from; empty when fresh
    std::vector<std::string> notices;  // for the player, each to be shown once
  };
  // Fills the saved fields of `into` (only those) from the newest readable of the files.
  // No file at all is a fresh profile of zeros without a notice. Every damaged or unreadable
  // file found gets one notice naming where it will be kept. A profile taken from the
  // read-only place gets one notice naming where it will be saved (its damage, if any, told
  // in the same notice); the save makes that file the newest, so the next load is silent.
  // The read-only place is otherwise passed over in silence, except when it cannot be read
  // and nothing else could either.
  LoadOutcome load(tmy& into);

  struct SaveOutcome {
    bool ok = false;
    std::filesystem::path writtenTo;
    std::vector<std::string> notices;  // e.g. that the profile went to the fallback
    std::string error;                 // why neither place could be written; empty when ok
  };
  // Writes the saved fields of p atomically: to the primary, else to the fallback (creating
  // its folders). A damaged file found by load() is kept aside before it is replaced; if that
  // is impossible the file is left alone and the next place is tried. Saving to the fallback
  // brings a notice, unless the profile was loaded from there (the player already knows).
  SaveOutcome save(const tmy& p);

  const std::filesystem::path& primary() const { return primary_; }
  const std::filesystem::path& fallback() const { return fallback_; }

 private:
  // A file that must be kept aside before anything replaces it.
  struct ProtectedFile {
    std::filesystem::path file;
    std::filesystem::path keepAs;  // announced at load; another free name if taken by then
    bool kept = false;
  };

  bool keepAside(ProtectedFile& entry, std::vector<std::string>& notices, std::string& error);

  std::filesystem::path primary_;
  std::filesystem::path fallback_;
  std::filesystem::path readOnly_;
  std::vector<ProtectedFile> protected_;
  std::filesystem::path readFrom_;  // where load() found the profile; empty when fresh
};

}  // namespace game
