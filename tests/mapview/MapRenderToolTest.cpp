// Runs the built `kelvarix-tool map render` on a real level.
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace kx::test {
namespace {

struct ToolRun {
  int status = -1;
  std::string output;  // stdout
  std::string errors;  // stderr
};

std::string Quoted(const std::filesystem::path& path) {
  std::string quoted = "'";
  for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class MapRenderToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_level = CorpusDir() /
              "saberworks+massassi-static/source/tutorials/rd/rotdoor1.zip.contents/"
              "RotDoor1.gob.contents/jkl/rotdoor1.jkl";
    if (!std::filesystem::exists(m_level)) GTEST_SKIP() << "no corpus on this machine";
  }

  ToolRun Render(const std::string& options) { return Render(m_level, options); }
  ToolRun Render(const std::filesystem::path& level, const std::string& options) {
    const auto output = m_temp.path() / "output.txt", errors = m_temp.path() / "errors.txt";
    const int status = std::system((Quoted(KX_TOOL_PATH) + " map render " + Quoted(level) + " -o " +
                                    Quoted(m_temp.path() / "map.png") + " " + options + " >" +
                                    Quoted(output) + " 2>" + Quoted(errors))
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(output), ReadAll(errors)};
  }

  // Width and height: the first two big-endian words of the PNG's header chunk.
  std::pair<int, int> PngSize() {
    const std::string png = ReadAll(m_temp.path() / "map.png");
    const auto word = [&](std::size_t at) {
      int value = 0;
      for (std::size_t i = at; i < at + 4 && i < png.size(); ++i)
        value = value * 256 + (png[i] & 0xFF);
      return value;
    };
    return {word(16), word(20)};
  }

  std::filesystem::path m_level;
  TempDir m_temp;
};

TEST_F(MapRenderToolTest, AppliesClicksAndBoxesInTheOrderGiven) {
  const std::string everything = "--fit --mode vertex --box -10,-10,2000,2000";
  EXPECT_EQ(Render(everything).output, "selected 30\n");
  EXPECT_EQ(Render(everything + " --click 0,0,ctrl").output, "selected 0\n");
  EXPECT_EQ(Render("--fit --mode vertex --click 0,0,ctrl --box -10,-10,2000,2000").output,
            "selected 30\n");
}

TEST_F(MapRenderToolTest, WritesAnImageOfTheRequestedSizeAndTimesTheRedraws) {
  const ToolRun run = Render("--size 321x123 --view right --mode thing --bench 3");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(PngSize(), (std::pair{321, 123}));
  EXPECT_TRUE(run.output.starts_with("redraw_ms ")) << run.output;
  EXPECT_TRUE(run.output.ends_with("\nselected 0\n")) << run.output;
}

std::string ModelFile(const char* radius) {
  return std::string("SECTION: MODELRESOURCE\r\nMATERIALS 1\r\n0: a.mat\r\n") +
         "SECTION: GEOMETRYDEF\r\nRADIUS " + radius + "\r\nGEOSET 0\r\nRADIUS 99\r\n";
}

TEST_F(MapRenderToolTest, ThingsArePickedByTheRadiiOfTheProjectsAndTheGamesModels) {
  const auto level = m_temp.Write("project/jkl/tiny.jkl",
                                  "SECTION: MODELS\r\nWorld models 2\r\n0: crate.3do\r\n"
                                  "1: barrel.3do\r\nend\r\n"
                                  "SECTION: TEMPLATES\r\nWorld templates 2\r\n"
                                  "crate none model3d=crate.3do\r\n"
                                  "barrel none model3d=barrel.3do\r\nend\r\n"
                                  "SECTION: THINGS\r\nWorld things 2\r\n"
                                  "0: crate c1 0 0 0 0 0 0 0\r\n"
                                  "1: barrel b1 10 0 0 0 0 0 0\r\nend\r\n");
  m_temp.Write("project/3do/Crate.3DO", ModelFile("1.0"));
  GobBuilder{}
      .Entry("3do\\barrel.3do", ModelFile("0.5"))
      .WriteTo(m_temp.path() / "game/Resource/Res2.gob");
  // Scale 32 with the origin at (-5, -5): the crate is at pixel (160, 320), the barrel at
  // (480, 320). The clicks are 31 pixels from the crate (radius 1) and 15 from the barrel (0.5).
  const std::string options =
      "--mode thing --size 640x480 --scale 32 --origin -5,-5,0 --click 191,320 --click 495,320";
  const ToolRun withGame = Render(level, options + " --jkdir " + Quoted(m_temp.path() / "game"));
  EXPECT_EQ(withGame.output, "selected 2\n");
  EXPECT_EQ(withGame.errors, "");
  const ToolRun withoutGame = Render(level, options);
  EXPECT_EQ(withoutGame.output, "selected 1\n");
  EXPECT_EQ(
      withoutGame.errors,
      "Note: Can't find barrel.3do in Parse3DOs\nMessage: Can't find barrel.3do\n in Parse3DOs\n");
}

TEST_F(MapRenderToolTest, RefusesBadOptionsWithAMessageAndStatusOne) {
  const struct {
    const char* options;
    const char* message;
  } cases[] = {
      {"--size 0x10", "--size wants a whole number from 1 to 8192, not '0'"},
      {"--size 640", "--size wants WxH, not '640'"},
      {"--fit --scale 3", "--fit chooses scale and origin itself; leave out --scale and --origin"},
      {"--scale 0", "--scale must lie between 0.0001 and 100000"},
      {"--origin 0,1e39,0", "--origin wants a number, not '1e39'"},
      {"--click 5", "--click wants PX,PY[,shift][,ctrl], not '5'"},
      {"--box 1,2,3,4,alt", "--box: unknown modifier 'alt' (shift or ctrl)"},
      {"--view side", "--view wants top, front or right, not 'side'"},
      {"--frobnicate", "unknown option '--frobnicate'"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Render(c.options);
    EXPECT_EQ(run.status, 1) << c.options;
    EXPECT_EQ(run.errors, std::string("map render: ") + c.message + "\n");
    EXPECT_EQ(run.output, "");
  }
}

}  // namespace
}  // namespace kx::test
