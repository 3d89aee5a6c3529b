// Replays the fuzzers' regression corpus: every input that once went wrong, through the same
// load and conversion the fuzz targets run.
#include <dirent.h>
#include <gtest/gtest.h>

#include "fuzz_body.h"
#include "test_util.h"

namespace {

TEST(FuzzRegressions, Replay) {
  DIR* dir = opendir(TORVI_REGRESSIONS);
  ASSERT_NE(dir, nullptr) << TORVI_REGRESSIONS;
  int replayed = 0;
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] == '.') continue;
    std::string bytes = ReadFile(std::string(TORVI_REGRESSIONS) + "/" + e->d_name);
    SCOPED_TRACE(e->d_name);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    fuzz::Load(data, bytes.size());
    fuzz::Convert(data, bytes.size());
    ++replayed;
  }
  closedir(dir);
  EXPECT_GT(replayed, 0);
}

}  // namespace
