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
  std::string Path(const std::string& relative) const { return (dir.path() / relative).string(); }

  test::TempDir dir;
};

TEST_F(ResourceToolTest, RadiusPrintsOneLinePerModelAndGoesOnAfterAMissingFile) {
  const auto a =
      Write("a.3do", "MATERIALS 1\r\n0: x.mat\r\nRADIUS\t0.062\r\nGEOSET 0\r\nRADIUS 5\r\n");
  const auto b = Write("sub/B.3do", "3DO 2.1\r\nGEOSET 0\r\nRADIUS 5\r\n");
  const RunResult result = Run({"3do", "radius", a, Path("gone.3do"), b});
  EXPECT_EQ(result.out, "a.3do\t0.062000\nB.3do\tnone\n");
  EXPECT_EQ(result.err, "File not found\n" + Path("gone.3do") + "\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Run({"3do", "radius", a}).status, 0);
}

TEST_F(ResourceToolTest, MatInfoDescribesEveryCelOrRefusesTheFile) {
  const auto texture = MatBuilder::Texture().FilledCel(8, 4, 2, 'p').FilledCel(64, 64, 4, 'q');
  const RunResult t = Run({"mat", "info", Write("anim.mat", texture.Bytes())});
  EXPECT_EQ(t.out, "texture 2\n8x4 2\n64x64 4\n");
  EXPECT_EQ(t.status, 0);
  const auto colour = MatBuilder::Colour().ColourCel(0x1FF).ColourCel(3);
  EXPECT_EQ(Run({"mat", "info", Write("c.mat", colour.Bytes())}).out,
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

TEST_F(ResourceToolTest, MatPngWritesTheChosenCelOrRefusesWithoutWritingAnything) {
  const auto mat = Write("t.mat", MatBuilder::Texture()
                                      .Cel(3, 2, 1, "\x01\x02\x03\x04\x05\x06")
                                      .Cel(3, 2, 1, "\x06\x05\x04\x03\x02\x01")
                                      .Bytes());
  std::string cmp(64, '\0');
  for (int i = 0; i < 256; ++i) cmp += std::string(3, char(i));
  cmp = Write("dflt.cmp", cmp);
  EXPECT_EQ(Run({"mat", "png", mat, "--cmp", cmp, "-o", Path("0.png")}).status, 0);
  EXPECT_EQ(Run({"mat", "png", "--cel", "1", "-o", Path("1.png"), "--cmp", cmp, mat}).status, 0);
  EXPECT_EQ(PngSize(test::ReadAll(Path("0.png"))), (std::pair{3, 2}));
  EXPECT_NE(test::ReadAll(Path("0.png")), test::ReadAll(Path("1.png")));

  const RunResult noCel = Run({"mat", "png", mat, "--cmp", cmp, "-o", Path("2.png"), "--cel", "2"});
  EXPECT_EQ(noCel.status, 1);
  EXPECT_EQ(noCel.err, "No such cel\n" + mat + " has 2 cels; cel 2 was asked for\n");
  EXPECT_FALSE(fs::exists(Path("2.png")));
}

TEST_F(ResourceToolTest, JklTemplatesPrintsTheTreeIndented) {
  const auto jkl =
      Write("jkl/t.jkl",
            "SECTION: TEMPLATES\r\nWorld templates 4\r\n#Name: Based On: Params:\r\n"
            "stormtroop _actor model3d=st.3do\r\n_actor none type=actor\r\n_decor NONE\r\n"
            "lost _nowhere\r\nend\r\n");
  const RunResult result = Run({"jkl", "templates", jkl});
  EXPECT_EQ(result.out, "none\n  _actor\n    stormtroop\n  _decor\n(no parent found)\n  lost\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(Run({"jkl", "templates", Path("missing.jkl")}).status, 1);
}

}  // namespace
}  // namespace kx::resources
