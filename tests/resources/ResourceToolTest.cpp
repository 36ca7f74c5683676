// kelvarix-tool's resource commands, run as the program itself.
#include "support/TempDir.h"

#include "resources/MatBuilder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kx::resources {
namespace {

namespace fs = std::filesystem;
using test::MatBuilder;

struct RunResult {
  int status = -1;
  std::string out, err;
};

class ResourceToolTest : public ::testing::Test {
 protected:
  RunResult Run(const std::vector<std::string>& args) {
    std::string command = "'" KX_TOOL_PATH "'";
    for (const auto& arg : args) command += " '" + arg + "'";
    const fs::path out = dir.path() / "stdout.txt", err = dir.path() / "stderr.txt";
    const int raw =
        std::system((command + " >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadAll(out), test::ReadAll(err)};
  }
  std::string Write(const std::string& relative, const std::string& bytes) {
    return dir.Write(relative, bytes).string();
  }
  std::string Colormap() {
    std::string cmp(64, '\0');
    for (int i = 0; i < 256; ++i) cmp += std::string(3, char(i));
    return Write("dflt.cmp", cmp);
  }

  test::TempDir dir;
};

TEST_F(ResourceToolTest, RadiusPrintsOneLinePerModelAndGoesOnAfterAMissingFile) {
  const auto a =
      Write("a.3do", "MATERIALS 1\r\n0: x.mat\r\nRADIUS\t0.062\r\nGEOSET 0\r\nRADIUS 5\r\n");
  const auto b = Write("sub/B.3do", "3DO 2.1\r\nGEOSET 0\r\nRADIUS 5\r\n");
  const auto missing = (dir.path() / "gone.3do").string();
  const RunResult result = Run({"3do", "radius", a, missing, b});
  EXPECT_EQ(result.out, "a.3do\t0.062000\nB.3do\tnone\n");
  EXPECT_EQ(result.err, "File not found\n" + missing + "\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Run({"3do", "radius", a}).status, 0);
}

TEST_F(ResourceToolTest, MatInfoDescribesEveryCelOrRefusesTheFile) {
  auto texture = MatBuilder::Texture();
  for (int i = 0; i < 17; ++i) texture.FilledCel(8, 4, 2, 'p');
  const RunResult t =
      Run({"mat", "info", Write("anim.mat", texture.FilledCel(64, 64, 4, 'q').Bytes())});
  std::string expected = "texture 18\n";
  for (int i = 0; i < 17; ++i) expected += "8x4 2\n";
  EXPECT_EQ(t.out, expected + "64x64 4\n");
  EXPECT_EQ(t.status, 0);
  EXPECT_EQ(Run({"mat", "info",
                 Write("c.mat", MatBuilder::Colour().ColourCel(0x1FF).ColourCel(3).Bytes())})
                .out,
            "color 2\ncolour 255\ncolour 3\n");

  const auto text = Write("text.mat", std::string(80, 'x'));
  const RunResult notMat = Run({"mat", "info", text});
  EXPECT_EQ(notMat.status, 1);
  EXPECT_EQ(notMat.out, "");
  EXPECT_EQ(notMat.err, "Not a material\n" + text +
                            ": the file does not begin with \"MAT \" and version 0x32\n");
}

// The PNG's width and height from its IHDR chunk, after checking the signature.
std::pair<int, int> PngSize(const std::string& png) {
  EXPECT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
  const auto u32 = [&](std::size_t at) {
    int v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v * 256 + static_cast<unsigned char>(png.at(at + i));
    return v;
  };
  return {u32(16), u32(20)};
}

TEST_F(ResourceToolTest, MatPngWritesTheChosenCelAsThePreviewShowsIt) {
  const auto mat = Write("t.mat", MatBuilder::Texture()
                                      .Cel(3, 2, 1, "\x01\x02\x03\x04\x05\x06")
                                      .Cel(3, 2, 1, "\x06\x05\x04\x03\x02\x01")
                                      .Bytes());
  const auto colour = Write("c.mat", MatBuilder::Colour().ColourCel(40).Bytes());
  const auto cmp = Colormap();
  const std::string first = (dir.path() / "first.png").string(),
                    second = (dir.path() / "second.png").string(),
                    again = (dir.path() / "again.png").string(),
                    square = (dir.path() / "c.png").string();
  EXPECT_EQ(Run({"mat", "png", mat, "--cmp", cmp, "-o", first}).status, 0);
  EXPECT_EQ(Run({"mat", "png", mat, "--cel", "1", "--cmp", cmp, "-o", second}).status, 0);
  EXPECT_EQ(Run({"mat", "png", "--cel", "0", "-o", again, "--cmp", cmp, mat}).status, 0);
  EXPECT_EQ(Run({"mat", "png", colour, "--cmp", cmp, "-o", square}).status, 0);
  EXPECT_EQ(PngSize(test::ReadAll(first)), (std::pair{3, 2}));
  EXPECT_NE(test::ReadAll(first), test::ReadAll(second));
  EXPECT_EQ(test::ReadAll(first), test::ReadAll(again));
  EXPECT_EQ(PngSize(test::ReadAll(square)), (std::pair{256, 256}));
}

TEST_F(ResourceToolTest, MatPngRefusesBadCelsArgumentsAndColormapsWithoutWritingAnything) {
  const auto mat = Write("t.mat", MatBuilder::Texture().FilledCel(2, 2, 1, 1).Bytes());
  const auto out = (dir.path() / "none.png").string();
  const auto shortCmp = Write("short.cmp", std::string(100, '\0'));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{mat, "--cmp", Colormap(), "-o", out, "--cel", "1"},
       "No such cel\n" + mat + " has 1 cel; cel 1 was asked for\n"},
      {{mat, "-o", out}, "mat png: usage: FILE --cmp CMPFILE -o OUT.png [--cel N]\n"},
      {{mat, "--cmp", Colormap(), "-o", out, "--cel", "x"},
       "mat png: --cel needs a cel number from 0, not 'x'\n"},
      {{mat, "--cmp", shortCmp, "-o", out},
       "Read beyond end of file\n" + shortCmp +
           ": the palette needs bytes 64 to 831, the file holds 100 bytes\n"},
  };
  for (const auto& [args, message] : cases) {
    std::vector<std::string> all{"mat", "png"};
    all.insert(all.end(), args.begin(), args.end());
    const RunResult result = Run(all);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, message);
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(ResourceToolTest, JklTemplatesPrintsTheTreeIndented) {
  const auto jkl =
      Write("jkl/t.jkl",
            "SECTION: TEMPLATES\r\nWorld templates 6\r\n#Name: Based On: Params:\r\n"
            "stormtroop _humanactor model3d=st.3do\r\n_humanactor _actor type=actor\r\n"
            "_actor none\r\n_decor NONE\r\nlost _nowhere\r\nend\r\n");
  const RunResult result = Run({"jkl", "templates", jkl});
  EXPECT_EQ(
      result.out,
      "none\n  _actor\n    _humanactor\n      stormtroop\n  _decor\n(no parent found)\n  lost\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(Run({"jkl", "templates", Write("jkl/e.jkl", "SECTION: HEADER\r\n")}).out, "none\n");
  EXPECT_EQ(Run({"jkl", "templates", (dir.path() / "missing.jkl").string()}).status, 1);
}

}  // namespace
}  // namespace kx::resources
