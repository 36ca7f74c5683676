#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "archive/GobWriter.h"
#include "archive/Ungob.h"
#include "level/Words.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::archive {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;
using ::testing::ElementsAre;
using ::testing::Property;
using ::testing::Throws;

// Every file below root by relative path with forward slashes.
std::map<std::string, std::string> FilesBelow(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    if (item.is_regular_file()) {
      files[fs::relative(item.path(), root).generic_string()] = test::ReadAll(item.path());
    }
  }
  return files;
}

TEST(UngobTest, PackedProjectExtractsToTheSameFilesWithProgress) {
  test::TempDir dir;
  const auto project = dir.path() / "P";
  const std::map<std::string, std::string> files = {
      {"cog/sub/x.cog", "# cog"},
      {"empty.txt", ""},
      {"episode.jk", "EPISODE"},
      {"mat/block.mat", std::string(64000, 'b')},
      {"mat/block-and-one.mat", std::string(64001, 'c')},
  };
  for (const auto& [name, data] : files) dir.Write("P/" + name, data);
  const auto archive = MakeGob(project, "P.GOB");
  const auto packed = test::ReadAll(archive);
  EXPECT_EQ(test::ReadAll(MakeGob(project, "P.GOB")), packed);  // gob\P.GOB is not packed

  test::FakeUi ui;
  ASSERT_TRUE(Ungob(archive.string(), dir.path() / "back", ui));
  EXPECT_EQ(FilesBelow(dir.path() / "back"), files);
  EXPECT_THAT(ui.progress,
              ElementsAre("begin Ungobing " + archive.string() + "...|Extracting file: |5",
                          "item cog\\sub\\x.cog", "item empty.txt", "item episode.jk",
                          "item mat\\block-and-one.mat", "item mat\\block.mat", "end"));
  EXPECT_THAT(ui.positions, ElementsAre(1, 2, 3, 4, 5));
  EXPECT_EQ(ui.processEventsCalls, 5);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(UngobTest, NameWithoutDotInItsFileNameGetsTheArchiveExtension) {
  EXPECT_EQ(UngobArchivePath("d/level"), fs::path("d/level.GOB"));
  EXPECT_EQ(UngobArchivePath("d/other.gob"), fs::path("d/other.gob"));
  EXPECT_EQ(UngobArchivePath("v1.0/pack"), fs::path("v1.0/pack.GOB"));
}

TEST(UngobTest, MissingArchiveIsReportedAndNothingIsCreated) {
  test::TempDir dir;
  test::FakeUi ui;
  const auto name = (dir.path() / "gone").string();
  EXPECT_FALSE(Ungob(name, dir.path() / "out", ui));
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{
                  BoxKind::Error, "The file " + name + ".GOB doesn't exist!\rProgram halted."}));
  EXPECT_FALSE(fs::exists(dir.path() / "out"));
  EXPECT_TRUE(ui.progress.empty());
}

TEST(UngobTest, FoldersAndFilesDifferingOnlyInCaseAreMerged) {
  test::TempDir dir;
  const auto archive = test::GobBuilder{}
                           .Entry("MAT\\a.mat", "a")
                           .Entry("mat\\b.mat", "b")
                           .Entry("Mat\\A.MAT", "a again")
                           .WriteTo(dir.path() / "c.gob");
  test::FakeUi ui;
  ASSERT_TRUE(Ungob(archive.string(), dir.path() / "out", ui));
  // As on the game's file system, the later entry overwrites the earlier one.
  EXPECT_EQ(FilesBelow(dir.path() / "out"),
            (std::map<std::string, std::string>{{"MAT/a.mat", "a again"}, {"MAT/b.mat", "b"}}));
}

TEST(UngobTest, UnsafeOrClashingNamesAreRefusedBeforeAnythingIsWritten) {
  const std::string unsafe = "Unsafe entry name in GOB2 archive: ";
  const std::string clash = "Clashing entry names in GOB2 archive: ";
  const struct {
    std::vector<std::string> names;  // after good.txt
    std::string message;             // names as shown: control characters and % in hexadecimal
  } cases[] = {
      {{"..\\..\\x"}, unsafe + "..\\..\\x"},
      {{"/etc/x"}, unsafe + "/etc/x"},
      {{"\\x"}, unsafe + "\\x"},
      {{"C:\\x"}, unsafe + "C:\\x"},
      {{"c:x"}, unsafe + "c:x"},
      {{"a\\..\\..\\x"}, unsafe + "a\\..\\..\\x"},
      {{"a/../../x"}, unsafe + "a/../../x"},
      {{".."}, unsafe + ".."},
      {{"a\\.\\b"}, unsafe + "a\\.\\b"},
      {{"   "}, unsafe + "   "},
      {{"cog\\...\\x"}, unsafe + "cog\\...\\x"},
      {{"a\tb%"}, unsafe + "a%09b%25"},
      {{"x.txt\t"}, unsafe + "x.txt%09"},
      {{"\x01x.txt"}, unsafe + "%01x.txt"},
      {{"real.txt\n1\t2"}, unsafe + "real.txt%0A1%092"},
      {{std::string("del\x7F\x1F\xE9", 6)}, unsafe + "del%7F%1F\xE9"},
      {{"a", "a\\b.txt"}, clash + "a and a\\b.txt"},
      {{"a\\b.txt", "A"}, clash + "a\\b.txt and A"},
      {{"x.txt", "cog\\sub\\x.cog", "COG\\SUB"}, clash + "cog\\sub\\x.cog and COG\\SUB"},
      {{"mat/", "mat\\wall.mat"}, clash + "mat/ and mat\\wall.mat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    test::TempDir dir;
    test::GobBuilder builder;
    builder.Entry("good.txt", "fine");
    for (const auto& name : c.names) builder.Entry(name, "evil");
    const auto archive = builder.WriteTo(dir.path() / "in" / "h.gob");
    const auto target = dir.path() / "a" / "b" / "target";
    test::FakeUi ui;
    EXPECT_THAT([&] { Ungob(archive.string(), target, ui); },
                Throws<CommandError>(AllOf(Property(&CommandError::text, c.message),
                                           Property(&CommandError::detail, archive.string()))));
    // Nothing anywhere in the temporary folder but the archive itself.
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
    EXPECT_EQ(FilesBelow(dir.path()).size(), 1u);
  }
}

TEST(UngobTest, LinkPlantedAtTheSideFileIsNotFollowed) {
  test::TempDir dir;
  const auto outside = dir.Write("outside.txt", "keep");
  fs::create_directories(dir.path() / "out");
  fs::create_symlink(outside, dir.path() / "out" / "x.txt.kxpart");
  dir.Write("out/x.txt.kxpart1", "left by an earlier run");
  const auto archive = test::GobBuilder{}.Entry("x.txt", "PWNED!").WriteTo(dir.path() / "s.gob");
  test::FakeUi ui;
  ASSERT_TRUE(Ungob(archive.string(), dir.path() / "out", ui));
  EXPECT_EQ(test::ReadAll(outside), "keep");
  EXPECT_FALSE(fs::is_symlink(dir.path() / "out" / "x.txt"));
  EXPECT_EQ(test::ReadAll(dir.path() / "out" / "x.txt"), "PWNED!");
  // What was there before is left as it was.
  EXPECT_TRUE(fs::is_symlink(dir.path() / "out" / "x.txt.kxpart"));
  EXPECT_EQ(test::ReadAll(dir.path() / "out" / "x.txt.kxpart1"), "left by an earlier run");
}

TEST(UngobTest, LinkInTheTargetIsNotFollowed) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "elsewhere");
  fs::create_directories(dir.path() / "out");
  fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "out" / "mat");
  const auto archive = test::GobBuilder{}.Entry("mat\\x.mat", "x").WriteTo(dir.path() / "l.gob");
  test::FakeUi ui;
  EXPECT_THROW(Ungob(archive.string(), dir.path() / "out", ui), CommandError);
  EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_FALSE(ui.progressShown);
}

TEST(UngobTest, FailedFileLeavesNoPartialFileBehind) {
  test::TempDir dir;
  const auto archive = test::GobBuilder{}
                           .Entry("first.txt", "1")
                           .Entry("taken", std::string(100000, 't'))
                           .WriteTo(dir.path() / "f.gob");
  dir.Write("out/taken/keep.txt", "a folder holds the entry's name");
  test::FakeUi ui;
  EXPECT_THROW(Ungob(archive.string(), dir.path() / "out", ui), CommandError);
  EXPECT_EQ(FilesBelow(dir.path() / "out"),
            (std::map<std::string, std::string>{
                {"first.txt", "1"}, {"taken/keep.txt", "a folder holds the entry's name"}}));
}

// Each real archive of the corpus extracts what its directory lists, equal to the copies that
// came with the corpus; the deliberately broken ones end in a clear error.
TEST(UngobTest, EveryRealArchiveListsAndExtracts) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  int archives = 0;
  int compared = 0;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    const auto ext = level::ToUpperAscii(item.path().extension().string());
    if (!item.is_regular_file() || (ext != ".GOB" && ext != ".GOO")) continue;
    SCOPED_TRACE(item.path().string());
    test::TempDir out;
    test::FakeUi ui;
    if (item.path().filename() == "junk.gob") {
      EXPECT_THAT([&] { Ungob(item.path().string(), out.path(), ui); },
                  Throws<CommandError>(Property(
                      &CommandError::text, "Not a GOB2 archive: it does not begin with \"GOB \"")));
      continue;
    }
    ++archives;
    ASSERT_TRUE(Ungob(item.path().string(), out.path(), ui));
    const auto entries = ReadGobDirectory(item.path());
    EXPECT_EQ(ui.positions.size(), entries.size());
    for (const auto& entry : entries) {
      auto relative = entry.name;
      std::replace(relative.begin(), relative.end(), '\\', '/');
      ASSERT_TRUE(fs::exists(out.path() / relative)) << entry.name;
      EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(out.path() / relative)), entry.size);
      const fs::path copy = item.path().string() + ".contents/" + relative;
      if (fs::exists(copy)) {
        EXPECT_EQ(test::ReadAll(out.path() / relative), test::ReadAll(copy)) << entry.name;
        ++compared;
      }
    }
  }
  EXPECT_GE(archives, 19);
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace kx::archive
