#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

// The minimised inputs of the fuzzing campaign through kelvarix-tool, each with the command that
// once ended in exit status 0 with lost, invented or misplaced data, or with a file written
// outside its target.
namespace kx::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class MinimisedInputsTest : public ::testing::Test {
 protected:
  static fs::path Input(const std::string& name) {
    return fs::path(KX_FUZZ_DIR) / "regressions" / name;
  }
  /// A writable copy of the input in the scratch folder.
  fs::path Copy(const std::string& name) const { return dir.Write(name, ReadAll(Input(name))); }
  ToolResult Run(const std::vector<std::string>& args) const {
    return RunTool(KX_TOOL_PATH, args, dir.path());
  }

  TempDir dir;
};

// Normalizing a level onto itself either gives a level that reads back, or fails and leaves
// the file as it was.
TEST_F(MinimisedInputsTest, NormalizeNeverWritesALossyReadOverItsInput) {
  struct Case {
    std::string input;
    int status;
    std::string error;  // part of stderr
  };
  const Case cases[] = {
      {"jkl-copyright-65-lines-truncates-level.jkl", 1,
       "line 66: 1 copyright line after the 64th dropped"},
      {"jkl-utf16-read-as-empty-level.jkl", 1, "Not a JKL level: "},
      {"jkl-surface-surplus-read-as-normal.jkl", 1,
       "Surface line 1 lies beyond the 1 surfaces of \"World surfaces\"\n"},
      {"jkl-sector-beyond-count-dropped.jkl", 1,
       "line 5: 1 sector beyond the 1 of \"World sectors\" ignored"},
      {"jkl-inf-not-round-tripped.jkl", 1, "'1E39' is not a valid floating point value\n"},
      {"jkl-overlapping-sector-ranges-slow-redraw.jkl", 1,
       "Sectors 0 and 1 claim the same surfaces: 0 to 2047 and 0 to 2047\n"},
      {"jkl-vertices-declared-more-invented.jkl", 0,
       "\"World vertices\" declares 5 vertices but lists 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const fs::path level = Copy(c.input);
    const ToolResult run = Run({"jkl", "normalize", level.string(), level.string()});
    EXPECT_EQ(run.status, c.status);
    EXPECT_THAT(run.err, HasSubstr(c.error));
    if (c.status != 0) {
      EXPECT_EQ(ReadAll(level), ReadAll(Input(c.input)));
      continue;
    }
    const ToolResult stats = Run({"jkl", "stats", level.string()});
    EXPECT_EQ(stats.status, 0);
    EXPECT_THAT(stats.out, HasSubstr("\nvertices 1\n"));
  }
}

TEST_F(MinimisedInputsTest, EveryCommandThatReadsALevelSaysWhenRecordsWereLeftOut) {
  const std::string level = Input("jkl-sector-beyond-count-dropped.jkl").string();
  const std::string png = (dir.path() / "map.png").string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"jkl", "stats", level},
        {"jkl", "templates", level},
        {"map", "render", level, "-o", png, "--mode", "sector"}}) {
    SCOPED_TRACE(args[1]);
    const ToolResult run = Run(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr(level + " was not read completely"));
  }
}

TEST_F(MinimisedInputsTest, ExtractionFollowsNoLinkPlantedAtTheSideFile) {
  const auto outside = dir.Write("outside.txt", "keep");
  fs::create_directories(dir.path() / "target");
  fs::create_symlink(outside, dir.path() / "target" / "x.txt.kxpart");
  const ToolResult run = Run({"gob", "extract", Input("gob-extract-kxpart-symlink.gob").string(),
                              (dir.path() / "target").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(outside), "keep");
  EXPECT_FALSE(fs::is_symlink(dir.path() / "target" / "x.txt"));
}

TEST_F(MinimisedInputsTest, LyingAndClashingNamesAreListedOnOneLineAndNeverExtracted) {
  const ToolResult list =
      Run({"gob", "list", Input("gob-list-name-with-tab-newline.gob").string()});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "real.txt%094%0912%0Aforged.txt\t4\t12\n");
  for (const char* input :
       {"gob-list-name-with-tab-newline.gob", "gob-file-then-folder-same-name.gob",
        "gob-folder-then-file-same-name.gob"}) {
    SCOPED_TRACE(input);
    const fs::path target = dir.path() / "target";
    const ToolResult run = Run({"gob", "extract", Input(input).string(), target.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(target));
  }
}

}  // namespace
}  // namespace kx::test
