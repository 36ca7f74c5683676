#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "archive/Ungob.h"
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

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
  return data;
}

TEST(UngobTest, ExtractsEveryEntryIntoItsFoldersWithProgress) {
  test::TempDir dir;
  const std::map<std::string, std::string> expected = {
      {"episode.jk", "EPISODE"},
      {"cog/sub/x.cog", "# cog"},
      {"empty.txt", ""},
      {"mat/two-blocks.mat", Pattern(128000)},
      {"mat/two-blocks-and-one.mat", Pattern(128001)},
  };
  const auto archive =
      test::GobBuilder{}
          .Entry("episode.jk", expected.at("episode.jk"))
          .Entry("cog\\sub\\x.cog", expected.at("cog/sub/x.cog"))
          .Entry("empty.txt", "")
          .Entry("mat\\two-blocks.mat", expected.at("mat/two-blocks.mat"))
          .Entry("mat\\two-blocks-and-one.mat", expected.at("mat/two-blocks-and-one.mat"))
          .WriteTo(dir.path() / "level.gob");
  test::FakeUi ui;
  ASSERT_TRUE(Ungob(archive.string(), dir.path() / "out", ui));
  EXPECT_EQ(FilesBelow(dir.path() / "out"), expected);
  EXPECT_THAT(ui.progress,
              ElementsAre("begin Ungobing " + archive.string() + "...|Extracting file: |5",
                          "item episode.jk", "item cog\\sub\\x.cog", "item empty.txt",
                          "item mat\\two-blocks.mat", "item mat\\two-blocks-and-one.mat", "end"));
  EXPECT_THAT(ui.positions, ElementsAre(1, 2, 3, 4, 5));
  EXPECT_EQ(ui.processEventsCalls, 5);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(UngobTest, NameWithoutDotGetsTheArchiveExtension) {
  test::TempDir dir;
  test::GobBuilder{}.Entry("a.txt", "upper").WriteTo(dir.path() / "level.GOB");
  test::GobBuilder{}.Entry("a.txt", "lower").WriteTo(dir.path() / "other.gob");
  test::FakeUi ui;
  ASSERT_TRUE(Ungob((dir.path() / "level").string(), dir.path() / "one", ui));
  EXPECT_EQ(test::ReadAll(dir.path() / "one" / "a.txt"), "upper");
  ASSERT_TRUE(Ungob((dir.path() / "other.gob").string(), dir.path() / "two", ui));
  EXPECT_EQ(test::ReadAll(dir.path() / "two" / "a.txt"), "lower");
  // Only the file name decides: a dotted folder does not count.
  fs::create_directory(dir.path() / "v1.0");
  test::GobBuilder{}.Entry("b.txt", "b").WriteTo(dir.path() / "v1.0" / "pack.GOB");
  ASSERT_TRUE(Ungob((dir.path() / "v1.0" / "pack").string(), dir.path() / "three", ui));
  EXPECT_TRUE(fs::exists(dir.path() / "three" / "b.txt"));
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

TEST(UngobTest, EmptyArchiveLeavesAnEmptyTarget) {
  test::TempDir dir;
  const auto archive = test::GobBuilder{}.WriteTo(dir.path() / "e.gob");
  test::FakeUi ui;
  ASSERT_TRUE(Ungob(archive.string(), dir.path() / "out", ui));
  EXPECT_TRUE(fs::is_directory(dir.path() / "out"));
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
  EXPECT_THAT(ui.progress,
              ElementsAre("begin Ungobing " + archive.string() + "...|Extracting file: |0", "end"));
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

TEST(UngobTest, HostileNamesAreRefusedBeforeAnythingIsWritten) {
  for (const std::string name : {"..\\..\\x", "/etc/x", "\\x", "C:\\x", "c:x", "a\\..\\..\\x",
                                 "a/../../x", "..", "a\\.\\b", "   ", "a\tb", "cog\\...\\x"}) {
    SCOPED_TRACE(name);
    test::TempDir dir;
    const auto archive = test::GobBuilder{}
                             .Entry("good.txt", "fine")
                             .Entry(name, "evil")
                             .WriteTo(dir.path() / "in" / "h.gob");
    const auto target = dir.path() / "a" / "b" / "target";
    fs::create_directories(target.parent_path());
    test::FakeUi ui;
    EXPECT_THAT([&] { Ungob(archive.string(), target, ui); },
                Throws<CommandError>(AllOf(
                    Property(&CommandError::text, "Unsafe entry name in GOB2 archive: " + name),
                    Property(&CommandError::detail, archive.string()))));
    EXPECT_FALSE(fs::exists(target));
    // Nothing anywhere in the temporary folder but the archive itself.
    EXPECT_EQ(FilesBelow(dir.path()).size(), 1u);
  }
}

TEST(UngobTest, DamagedArchiveIsRefusedBeforeAnythingIsWritten) {
  test::TempDir dir;
  const auto archive = test::GobBuilder{}
                           .Entry("good.txt", "fine")
                           .Entry("bad.txt", "x")
                           .WithOffset(1 << 30)
                           .WriteTo(dir.path() / "d.gob");
  test::FakeUi ui;
  EXPECT_THAT([&] { Ungob(archive.string(), dir.path() / "out", ui); },
              Throws<CommandError>(Property(
                  &CommandError::text,
                  "Damaged GOB2 archive: entry 2 (bad.txt) at offset 1073741824 with 1 bytes runs "
                  "past the end of the file (293 bytes)")));
  EXPECT_FALSE(fs::exists(dir.path() / "out"));
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

// The real archives of the corpus: each lists and extracts, and the extracted files equal the
// copies that came with the corpus; the deliberately broken ones end in a clear error.
TEST(UngobTest, EveryRealArchiveListsAndExtracts) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  int archives = 0;
  int compared = 0;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    const auto ext = item.path().extension().string();
    if (!item.is_regular_file() ||
        (ext != ".gob" && ext != ".GOB" && ext != ".goo" && ext != ".GOO")) {
      continue;
    }
    SCOPED_TRACE(item.path().string());
    test::TempDir out;
    test::FakeUi ui;
    if (item.path().filename() == "junk.gob") {
      EXPECT_THAT([&] { Ungob(item.path().string(), out.path() / "x", ui); },
                  Throws<CommandError>(Property(
                      &CommandError::text, "Not a GOB2 archive: it does not begin with \"GOB \"")));
      continue;
    }
    ++archives;
    const auto entries = ReadGobDirectory(item.path());
    ASSERT_TRUE(Ungob(item.path().string(), out.path() / "x", ui));
    EXPECT_EQ(ui.positions.size(), entries.size());
    for (const auto& entry : entries) {
      auto relative = entry.name;
      std::replace(relative.begin(), relative.end(), '\\', '/');
      const auto extracted = out.path() / "x" / relative;
      ASSERT_TRUE(fs::exists(extracted)) << entry.name;
      EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(extracted)), entry.size);
      const fs::path copy = item.path().string() + ".contents/" + relative;
      if (fs::exists(copy)) {
        EXPECT_EQ(test::ReadAll(extracted), test::ReadAll(copy)) << entry.name;
        ++compared;
      }
    }
  }
  EXPECT_GE(archives, 19);
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace kx::archive
