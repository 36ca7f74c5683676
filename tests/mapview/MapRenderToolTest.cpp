// Runs `kelvarix-tool map render`, built beside this test program, on a real level.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace kx::test {
namespace {

struct ToolRun {
  int status = -1;
  std::string output;  // stdout and stderr together
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class MapRenderToolTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_tool = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "kelvarix-tool";
    m_level = CorpusDir() / "saberworks+massassi-static/source/tutorials/rd/rotdoor1.zip.contents/"
                            "RotDoor1.gob.contents/jkl/rotdoor1.jkl";
    if (!std::filesystem::exists(m_tool)) GTEST_SKIP() << "kelvarix-tool is not built";
    if (!std::filesystem::exists(m_level)) GTEST_SKIP() << "no corpus on this machine";
  }

  ToolRun Render(const std::string& options) {
    const std::string command = Quoted(m_tool.string()) + " map render " +
                                Quoted(m_level.string()) + " -o " +
                                Quoted((m_temp.path() / "map.png").string()) + " " + options +
                                " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 256> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  // Width and height from the PNG's header chunk.
  std::pair<int, int> PngSize() {
    const std::string png = ReadAll(m_temp.path() / "map.png");
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {0, 0};
    const auto word = [&](std::size_t at) {
      int value = 0;
      for (std::size_t i = 0; i < 4; ++i) value = value * 256 + static_cast<unsigned char>(png[at + i]);
      return value;
    };
    return {word(16), word(20)};
  }

  std::filesystem::path m_tool;
  std::filesystem::path m_level;
  TempDir m_temp;
};

TEST_F(MapRenderToolTest, AppliesClicksAndBoxesInTheOrderGiven) {
  const std::string everything = "--fit --mode vertex --box -10,-10,2000,2000";
  EXPECT_EQ(Render(everything).output, "selected 30\n");
  EXPECT_EQ(Render(everything + " --click 0,0,ctrl").output, "selected 0\n");
  EXPECT_EQ(Render("--fit --mode vertex --click 0,0,ctrl --box -10,-10,2000,2000").output,
            "selected 30\n");
  EXPECT_EQ(Render(everything + " --box -10,-10,2000,2000,shift").output, "selected 0\n");
}

TEST_F(MapRenderToolTest, WritesAnImageOfTheRequestedSizeAndTimesTheRedraws) {
  const ToolRun run = Render("--size 321x123 --view right --mode thing --bench 3");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(PngSize(), (std::pair{321, 123}));
  EXPECT_TRUE(run.output.starts_with("redraw_ms ")) << run.output;
  EXPECT_TRUE(run.output.ends_with("\nselected 0\n")) << run.output;
}

TEST_F(MapRenderToolTest, RefusesBadOptionsWithAMessageAndStatusOne) {
  const struct {
    const char* options;
    const char* message;
  } cases[] = {
      {"--size 0x10", "map render: --size wants a whole number from 1 to 8192, not '0'\n"},
      {"--size 640", "map render: --size wants WxH, not '640'\n"},
      {"--fit --scale 3", "map render: --fit chooses scale and origin itself; leave out --scale "
                          "and --origin\n"},
      {"--scale 0", "map render: --scale must lie between 0.0001 and 100000\n"},
      {"--click 5", "map render: --click wants PX,PY[,shift][,ctrl], not '5'\n"},
      {"--box 1,2,3,4,alt", "map render: --box: unknown modifier 'alt' (shift or ctrl)\n"},
      {"--view side", "map render: --view wants top, front or right, not 'side'\n"},
      {"--frobnicate", "map render: unknown option '--frobnicate'\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Render(c.options);
    EXPECT_EQ(run.status, 1) << c.options;
    EXPECT_EQ(run.output, c.message);
  }
}

}  // namespace
}  // namespace kx::test
