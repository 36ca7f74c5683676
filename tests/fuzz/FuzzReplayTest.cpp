#include "FuzzEntries.h"
#include "support/TempDir.h"

#include "level/Words.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The fuzzing entry points on what the fuzzers start from (the corpus and our settings seeds)
// and on what they once found (the regression inputs): every input, fed to every reader, must
// be read or refused cleanly.
namespace kx::fuzz {
namespace {

namespace fs = std::filesystem;

struct Reader {
  const char* name;
  void (*read)(std::string_view);
  std::vector<std::string> extensions;  // upper case: the inputs it is seeded with
};

const Reader kReaders[] = {
    {"JKL", ReadJkl, {".JKL"}},   {"GOB2", ReadGobDirectory, {".GOB", ".GOO"}},
    {"MAT", ReadMat, {".MAT"}},   {"CMP", ReadCmp, {".CMP"}},
    {"3DO", ReadModel, {".3DO"}}, {"settings", ReadSettings, {".INI"}},
};

std::vector<fs::path> Inputs() {
  std::vector<fs::path> inputs;
  for (const fs::path& root : {test::CorpusDir(), fs::path(KX_FUZZ_DIR) / "regressions",
                               fs::path(KX_FUZZ_DIR) / "seeds"}) {
    if (root.empty() || !fs::exists(root)) continue;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
      if (item.is_regular_file() && item.path().extension() != ".md") inputs.push_back(item.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

TEST(FuzzReplayTest, EverySeedAndRegressionInputIsReadOrRefusedCleanly) {
  std::map<std::string, int> seeds;
  for (const fs::path& input : Inputs()) {
    const std::string bytes = test::ReadAll(input);
    const std::string extension = level::ToUpperAscii(input.extension().string());
    for (const Reader& reader : kReaders) {
      SCOPED_TRACE(std::string(reader.name) + " reader, " + input.string());
      EXPECT_NO_THROW(reader.read(bytes));
      for (const auto& seeded : reader.extensions) seeds[reader.name] += extension == seeded;
    }
  }
  EXPECT_GE(seeds["JKL"], 7) << "the regression inputs";
  EXPECT_GE(seeds["GOB2"], 4) << "the regression inputs";
  EXPECT_GE(seeds["settings"], 2) << "our own seeds";
  if (test::CorpusDir().empty()) return;
  for (const char* name : {"MAT", "CMP", "3DO"}) EXPECT_GT(seeds[name], 0) << name;
}

}  // namespace
}  // namespace kx::fuzz
