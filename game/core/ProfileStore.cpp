#include "game/core/ProfileStore.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <system_error>
#include <unistd.h>

#include "game/core/AtomicFile.h"
#include "game/core/ProfileFile.h"
#include "platform/core/BoundedFile.h"

namespace game {
namespace fs = std::filesystem;

namespace {

// A file written by the game is a few hundred bytes; reading stops well past any valid one, so a
// huge file cannot exhaust memory. More than this is damage.
constexpr std::size_t kMaxProfileFileBytes = 64 * 1024;
// Names tried for a kept copy: "<file>.damaged", then ".damaged.1" … up to this number.
constexpr int kMaxKeepNumber = 999;

std::string quoted(const fs::path& p) { return "「" + p.string() + "」"; }

// Reads at most limit + 1 bytes; nullopt (and the system's reason) when the file can't be
// read. Only a regular file is read: a pipe or device in its place is refused at once.
std::optional<std::string> readCapped(const fs::path& file, std::size_t limit, std::string& why) {
  const platform::BoundedFile read = platform::readBoundedFile(file, limit, platform::OverBound::KeepHead);
  if (!read.ok()) {
    why = read.reason();
    return std::nullopt;
  }
  return std::string(read.text());
}

fs::path keepName(const fs::path& file, int number) {
  fs::path name = file;
  name += number == 0 ? std::string(".damaged") : ".damaged." + std::to_string(number);
  return name;
}

bool pathExists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// The first keep name from `from` on that is free. When `sameBytes` is given, a name that
// already holds exactly those bytes counts as the copy itself (a previous run kept it).
// Empty when every name is taken.
fs::path findKeepName(const fs::path& file, const std::optional<std::string>& sameBytes,
                      bool& alreadyKept, int from = 0) {
  alreadyKept = false;
  for (int n = from; n <= kMaxKeepNumber; ++n) {
    fs::path candidate = keepName(file, n);
    if (!pathExists(candidate)) return candidate;
    if (sameBytes) {
      std::string why;
      if (auto held = readCapped(candidate, kMaxProfileFileBytes, why); held && *held == *sameBytes) {
        alreadyKept = true;
        return candidate;
      }
    }
  }
  return {};
}

void clearSavedFields(tmy& p) {
  p.playerName.clear();
  p.reserved.fill(0);
  p.birthMonth = p.birthDay = p.playerSex = p.readingCount = p.compatCount = 0;
}

std::string summary(const std::vector<std::string>& problems) {
  constexpr std::size_t kShown = 3;
  std::string text;
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += problems[i];
  if (problems.size() > kShown) text += "ほか " + std::to_string(problems.size() - kShown) + " 件。";
  return text;
}

}  // namespace

ProfileStore::ProfileStore(fs::path primary, fs::path fallback, fs::path readOnly)
    : primary_(std::move(primary)), fallback_(std::move(fallback)), readOnly_(std::move(readOnly)) {}

ProfileStore::LoadOutcome ProfileStore::load(tmy& into) {
  LoadOutcome outcome;
  protected_.clear();
  readFrom_.clear();

  struct Candidate {
    fs::path file;
    fs::file_time_type modified;
  };
  std::vector<Candidate> found;
  for (const fs::path& file : {primary_, fallback_, readOnly_}) {
    if (file.empty() || !pathExists(file) ||
        std::any_of(found.begin(), found.end(), [&file](const Candidate& c) { return c.file == file; }))
      continue;
    std::error_code ec;
    fs::file_time_type modified = fs::last_write_time(file, ec);
    if (ec) modified = fs::file_time_type::min();
    found.push_back({file, modified});
  }
  // Newest first; on a tie the primary, which was found first, stays first.
  std::stable_sort(found.begin(), found.end(),
                   [](const Candidate& a, const Candidate& b) { return a.modified > b.modified; });

  bool loaded = false;
  std::string readOnlyTrouble;  // why the read-only place could not be read
  for (const Candidate& candidate : found) {
    const bool readOnly = candidate.file == readOnly_;
    // Nothing is taken from, or told about, a read-only file older than the profile in use:
    // it cannot be mended, and a word about it would come back at every start.
    if (readOnly && loaded) continue;
    std::string why;
    std::optional<std::string> bytes = readCapped(candidate.file, kMaxProfileFileBytes, why);
    bool alreadyKept = false;
    if (!bytes && readOnly) {
      readOnlyTrouble = why;
      continue;
    }
    if (!bytes) {
      fs::path keepAs = findKeepName(candidate.file, std::nullopt, alreadyKept);
      protected_.push_back({candidate.file, keepAs, false});
      outcome.damaged = true;
      outcome.notices.push_back(quoted(candidate.file) + " を読めませんでした（" + why +
                                "）。このファイルは上書きする前に " + quoted(keepAs) +
                                " として残します。");
      continue;
    }
    tmy scratch = into;
    tmy& target = loaded ? scratch : into;
    ProfileDecodeResult decoded = decodeProfile(*bytes, target);
    if (bytes->size() > kMaxProfileFileBytes) {
      decoded.damaged = true;
      decoded.problems.push_back("my.dat が大きすぎます。");
    }
    const bool usedNow = !loaded;
    if (usedNow) {
      loaded = true;
      outcome.readFrom = candidate.file;
    }
    if (readOnly) {
      std::string notice = quoted(candidate.file) + " からプロフィールを読み込みました。";
      if (decoded.damaged)
        notice += "このファイルは壊れていました。" + summary(decoded.problems) +
                  "読めたところだけを使い、残りは 0 から始めます。";
      notice += "このフォルダには保存できないため、これからは " + quoted(primary_) +
                " に保存します。元のファイルはそのまま残ります。";
      outcome.damaged = outcome.damaged || decoded.damaged;
      outcome.notices.push_back(std::move(notice));
      continue;
    }
    if (!decoded.damaged) continue;

    fs::path keepAs = findKeepName(candidate.file, bytes, alreadyKept);
    protected_.push_back({candidate.file, keepAs, alreadyKept});
    outcome.damaged = true;
    std::string notice = quoted(candidate.file) + " が壊れていました。" + summary(decoded.problems);
    if (usedNow) notice += "読めたところだけを使い、残りは 0 から始めます。";
    notice += alreadyKept ? "元のファイルは " + quoted(keepAs) + " に残してあります。"
                          : "元のファイルは上書きする前に " + quoted(keepAs) + " として残します。";
    outcome.notices.push_back(std::move(notice));
  }

  if (!loaded) {
    clearSavedFields(into);
    outcome.fresh = true;
    if (!readOnlyTrouble.empty()) {
      outcome.damaged = true;
      outcome.notices.push_back(quoted(readOnly_) + " を読めませんでした（" + readOnlyTrouble +
                                "）。新しいプロフィールで始め、" + quoted(primary_) +
                                " に保存します。");
    }
  }
  readFrom_ = outcome.readFrom;
  return outcome;
}

bool ProfileStore::keepAside(ProtectedFile& entry, std::vector<std::string>& notices,
                             std::string& error) {
  if (entry.kept) return true;
  if (!pathExists(entry.file)) {  // gone since load: nothing left to protect
    entry.kept = true;
    return true;
  }
  bool unused = false;
  if (entry.keepAs.empty() || pathExists(entry.keepAs)) {
    fs::path announced = entry.keepAs;
    entry.keepAs = findKeepName(entry.file, std::nullopt, unused);
    if (entry.keepAs.empty()) {
      error = quoted(entry.file) + " を残す名前が見つかりません。";
      return false;
    }
    if (!announced.empty())
      notices.push_back(quoted(announced) + " は使われていたため、壊れたファイルは " +
                        quoted(entry.keepAs) + " に残しました。");
  }
  // A hard link keeps the damaged bytes without copying and leaves the original in place
  // until the atomic replace. Where links are not possible the file is moved aside instead,
  // which is just as safe: the save that follows puts a good file in its place.
  if (::link(entry.file.c_str(), entry.keepAs.c_str()) != 0 &&
      (errno == EEXIST || ::rename(entry.file.c_str(), entry.keepAs.c_str()) != 0)) {
    error = quoted(entry.file) + " を " + quoted(entry.keepAs) + " として残せません: " +
            std::generic_category().message(errno);
    return false;
  }
  entry.kept = true;
  return true;
}

ProfileStore::SaveOutcome ProfileStore::save(const tmy& p) {
  SaveOutcome outcome;
  const std::string bytes = encodeProfile(p);
  std::vector<std::string> failures;

  for (const fs::path* place : {&primary_, &fallback_}) {
    if (place == &fallback_ && fallback_ == primary_) break;  // one place: one attempt, one reason
    const fs::path& target = *place;
    std::error_code ec;
    if (target.has_parent_path() && !fs::create_directories(target.parent_path(), ec) && ec) {
      // The folder's own reason (a read-only home: permission), not the missing folder's.
      failures.push_back(quoted(target.parent_path()) + " を作れません: " + ec.message());
      continue;
    }

    std::string keepError;
    auto entry = std::find_if(protected_.begin(), protected_.end(),
                              [&target](const ProtectedFile& f) { return f.file == target; });
    if (entry != protected_.end() && !keepAside(*entry, outcome.notices, keepError)) {
      failures.push_back(keepError);
      continue;
    }
    AtomicWriteResult written = writeFileAtomically(target, bytes);
    if (!written.ok) {
      failures.push_back(written.error);
      continue;
    }
    outcome.ok = true;
    outcome.writtenTo = target;
    if (target != primary_ && target != readFrom_)
      outcome.notices.push_back(quoted(primary_) + " に保存できなかったため、プロフィールを " +
                                quoted(target) + " に保存しました。次回はそこから読み込みます。");
    return outcome;
  }

  outcome.error = "プロフィールを保存できませんでした。";
  for (const std::string& f : failures) outcome.error += "\n" + f;
  return outcome;
}

}  // namespace game
