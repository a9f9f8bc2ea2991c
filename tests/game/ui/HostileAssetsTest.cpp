// A name list that is a folder or a pipe with no writer gets the box a missing one gets,
// with the system's reason, and start-up goes on (a blocking open would hang here; the
// test's time limit ends that).
#include <sys/stat.h>

#include "FormFixture.h"
#include "game/core/Tables.h"

namespace {

class HostileAssetsTest : public testing_support::FormFixture,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileAssetsTest, ANameListThatIsNotAFileGetsTheMissingFileBox) {
  const std::filesystem::path names = root / "dat" / "name.dat";
  std::filesystem::remove(names);
  if (std::string(GetParam()) == "folder") {
    std::filesystem::create_directory(names);
  } else {
    ASSERT_EQ(::mkfifo(names.c_str(), 0600), 0);
  }
  openForm();
  const auto errors = dialogs.texts("error");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), QString::fromStdString("Cannot open file \"" + names.string() + "\". " +
                                                   (std::string(GetParam()) == "folder" ? "Is a directory"
                                                                                        : "Not a regular file")));
  EXPECT_EQ(form->engine().tables().choiceWords[0], "ねこ");
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileAssetsTest, ::testing::Values("folder", "pipe"));

}  // namespace
