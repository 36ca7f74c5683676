#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "archive/GobWriter.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::archive {
namespace {

namespace fs = std::filesystem;
using platform::CommandError;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Property;
using ::testing::Throws;

std::vector<std::string> NamesOf(const std::vector<GobSourceFile>& files) {
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.name);
  return names;
}

TEST(GobWriterTest, WritesHeaderDirectoryAndDataByteForByte) {
  test::TempDir dir;
  const auto project = dir.path() / "Level";
  dir.Write("Level/episode.jk", "EP");
  dir.Write("Level/jkl/01a.jkl", "JKL!");
  dir.Write("Level/mat/w.mat", "");
  const auto archive = MakeGob(project, "LEVEL.GOB");
  EXPECT_EQ(archive, project / "gob" / "LEVEL.GOB");
  // Header and directory (16 + 3 * 136 = 424 bytes), then the data in directory order: the
  // empty file's offset is the end of the one before it.
  const std::string expected = test::GobBuilder{}
                                   .Entry("episode.jk", "EP")
                                   .Entry("jkl\\01a.jkl", "JKL!")
                                   .Entry("mat\\w.mat", "")
                                   .Bytes();
  EXPECT_EQ(test::ReadAll(archive), expected);
}

TEST(GobWriterTest, NamesFollowTheGameToolsRules) {
  test::TempDir dir;
  const auto project = dir.path() / "P";
  for (const char* name :
       {"EPISODE.JK", "COG/a.cog", "Cog/b.cog", "JKL/c.jkl", "MISC/d.uni", "sub/EPISODE.JK",
        "gob/old.gob", "GOB/old.gob", "sub/Gob/x.txt", "Mat/W.MAT", "goblin/y.txt",
        "JKL/c.jkl.recover", "episode.jk.RECOVER", ".recover"}) {
    dir.Write(fs::path("P") / name, "x");
  }
  // Linked folders are not followed: neither out of the project nor round in it.
  dir.Write("outside/secret.txt", "s");
  fs::create_directory_symlink(dir.path() / "outside", project / "link");
  fs::create_directory_symlink(project, project / "loop");
  EXPECT_THAT(NamesOf(CollectGobFiles(project)),
              ElementsAre(".recover", "cog\\a.cog", "Cog\\b.cog", "episode.jk", "goblin\\y.txt",
                          "jkl\\c.jkl", "Mat\\W.MAT", "misc\\d.uni", "sub\\EPISODE.JK"));
  EXPECT_EQ(GobEntryName("COGSTRINGS.UNI"), "cogSTRINGS.UNI");
  EXPECT_EQ(GobEntryName("Episode.Jk"), "episode.jk");
}

TEST(GobWriterTest, MoreThan8192FilesStopsPackingWithAnError) {
  test::TempDir dir;
  const auto project = dir.path() / "P";
  for (int i = 0; i < 8192; ++i) dir.Write("P/f/" + std::to_string(i), "");
  EXPECT_EQ(CollectGobFiles(project).size(), 8192u);
  dir.Write("P/one-more", "");
  EXPECT_THAT([&] { MakeGob(project, "P.GOB"); },
              Throws<CommandError>(
                  AllOf(Property(&CommandError::text,
                                 "Too many files to pack: a GOB2 archive holds at most 8192 files"),
                        Property(&CommandError::detail, project.string()))));
  EXPECT_TRUE(fs::is_empty(project / "gob"));
}

TEST(GobWriterTest, NameLongerThanTheFieldStopsPackingNamingTheFile) {
  test::TempDir dir;
  const auto project = dir.path() / "P";
  const std::string fits = "mat\\" + std::string(124, 'a');  // 128 bytes: fills the field
  dir.Write("P/mat/" + std::string(124, 'a'), "fits");
  const auto archive = MakeGob(project, "P.GOB");
  EXPECT_EQ(ReadGobDirectory(archive).at(0).name, fits);

  const auto tooLong = dir.Write("P/mat/" + std::string(125, 'b'), "long");
  EXPECT_THAT([&] { MakeGob(project, "P.GOB"); },
              Throws<CommandError>(AllOf(
                  Property(&CommandError::text,
                           "File name too long for a GOB2 archive (more than 128 characters): "
                           "mat\\" +
                               std::string(125, 'b')),
                  Property(&CommandError::detail, tooLong.string()))));
  EXPECT_EQ(ReadGobDirectory(archive).size(), 1u);  // the earlier archive is untouched
}

TEST(GobWriterTest, FailedPackingLeavesTheOldArchiveAndNoTemporary) {
  test::TempDir dir;
  const auto project = dir.path() / "P";
  dir.Write("P/a.txt", std::string(100000, 'a'));
  const auto archive = MakeGob(project, "P.GOB");
  const auto before = test::ReadAll(archive);
  const auto files = CollectGobFiles(project);
  fs::resize_file(project / "a.txt", 10);  // shrinks between listing and copying
  EXPECT_THAT(
      [&] { WriteGob(files, archive); },
      Throws<CommandError>(AllOf(Property(&CommandError::text, "Read beyond end of file"),
                                 Property(&CommandError::detail, (project / "a.txt").string()))));
  EXPECT_EQ(test::ReadAll(archive), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(archive.parent_path()), {}), 1);
}

TEST(GobWriterTest, ArchiveNameMustBeAPlainFileName) {
  test::TempDir dir;
  dir.Write("P/a.txt", "a");
  for (const std::string name : {"", "..", "..\\x.gob", "../x.gob", "sub/x.gob", "C:x.gob"}) {
    SCOPED_TRACE(name);
    EXPECT_THAT([&] { MakeGob(dir.path() / "P", name); },
                Throws<CommandError>(Property(&CommandError::text, "Invalid filename")));
  }
  EXPECT_FALSE(fs::exists(dir.path() / "x.gob"));
}

}  // namespace
}  // namespace kx::archive
