// Saves my.dat over and over with changing contents, for kill_save.sh to kill at random
// moments; and checks, after a kill, that the file left behind is one whole save.
//
//   profile_save_loop FOLDER          save forever into FOLDER/dat/my.dat, printing each save's
//                                     number after it completes
//   profile_save_loop FOLDER --check  exit 0 when my.dat is undamaged and is exactly the save it
//                                     says it is; print that number
//
// Every save n writes a profile that is a function of n alone (n is in reserved[0]), with a
// name whose length changes from save to save, so a torn or mixed file cannot pass the check.
#include <cstdio>
#include <cstring>
#include <string>

#include "game/core/ProfileFile.h"
#include "game/core/ProfileStore.h"

namespace {

game::tmy profileFor(std::int32_t n) {
  static const char* const kLetters[] = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ", "Ｉ"};
  game::tmy p;
  for (int i = 0; i < n % 10; ++i) p.playerName += kLetters[(n + i) % 9];
  for (std::size_t i = 0; i < p.reserved.size(); ++i)
    p.reserved[i] = i == 0 ? n : static_cast<std::int32_t>((n * 7919 + static_cast<int>(i) * 104729) % 2000003) - 1000001;
  p.birthMonth = n % 13;
  p.birthDay = n % 32;
  p.playerSex = n % 3;
  p.readingCount = n * 3;
  p.compatCount = -n;
  return p;
}

int fail(int code, const std::string& why) {
  std::fprintf(stderr, "profile_save_loop: %s\n", why.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return fail(2, "usage: profile_save_loop FOLDER [--check]");
  const std::filesystem::path folder = argv[1];
  const bool checkOnly = argc > 2 && std::strcmp(argv[2], "--check") == 0;
  game::ProfileStore store(folder / "dat" / "my.dat", folder / "fallback" / "my.dat");

  game::tmy loaded;
  const auto outcome = store.load(loaded);
  if (outcome.damaged)
    return fail(3, "damaged: " + (outcome.notices.empty() ? std::string() : outcome.notices.front()));
  std::int32_t n = outcome.fresh ? 0 : loaded.reserved[0];
  if (!outcome.fresh && loaded != profileFor(n))
    return fail(4, "my.dat is not save " + std::to_string(n) + " as written");

  if (checkOnly) {
    if (outcome.fresh) return fail(5, "no my.dat");
    std::printf("%d\n", n);
    return 0;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  for (;;) {
    ++n;
    const auto saved = store.save(profileFor(n));
    if (!saved.ok) return fail(6, saved.error);
    if (saved.writtenTo != store.primary()) return fail(7, "saved to " + saved.writtenTo.string());
    std::printf("%d\n", n);
  }
}
