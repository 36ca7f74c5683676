#include "support/TempDir.h"

#include "project/ProjectRegistry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

using ::testing::ElementsAre;

class ProjectRegistryTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  platform::SettingsFile settings{dir.path() / "Kelvarix.ini"};
};

TEST_F(ProjectRegistryTest, UnregisteringMovesTheLaterProjectsDownWithEveryKeyTheyHold) {
  dir.Write(
      "Kelvarix.ini",
      "[Directories]\r\nJKDir=/games/jk\r\n"
      "[Projects]\r\nNProjects=4\r\n"
      "[Project1]\r\nLevelName=A\r\nJKLName=a.jkl\r\nGOB2Name=A.GOB\r\n"
      "[project2]\r\nLevelName=B\r\nJKLName=b.jkl\r\nGOB2Name=B.GOB\r\n"
      "[Project3]\r\nLevelName=C\r\nJKLName=c.jkl\r\nGOB2Name=C.GOB\r\nNote=mine\r\n"
      "[Project4]\r\nLevelName=D\r\nJKLName=d.jkl\r\nGOB2Name=D.GOB\r\nExtra=d\r\n"
      "[Project9]\r\nLevelName=beyond the count\r\n[Project03]\r\nLevelName=not a number\r\n");
  UnregisterProject(settings, 2);
  EXPECT_EQ(
      test::ReadAll(settings.Path()),
      "[Directories]\r\nJKDir=/games/jk\r\n"
      "[Projects]\r\nNProjects=3\r\n"
      "[Project1]\r\nLevelName=A\r\nJKLName=a.jkl\r\nGOB2Name=A.GOB\r\n"
      "[Project2]\r\nLevelName=C\r\nJKLName=c.jkl\r\nGOB2Name=C.GOB\r\nNote=mine\r\n"
      "[Project3]\r\nLevelName=D\r\nJKLName=d.jkl\r\nGOB2Name=D.GOB\r\nExtra=d\r\n"
      "[Project9]\r\nLevelName=beyond the count\r\n[Project03]\r\nLevelName=not a number\r\n");

  // The last one, then numbers that are not listed, which change nothing.
  UnregisterProject(settings, 3);
  const auto afterLast = test::ReadAll(settings.Path());
  for (const int n : {0, 3, -1}) UnregisterProject(settings, n);
  EXPECT_EQ(test::ReadAll(settings.Path()), afterLast);
  EXPECT_THAT(RegisteredProjects(settings.Snapshot()),
              ElementsAre(RegisteredProject{1, "A"}, RegisteredProject{2, "C"}));

  // A new project takes the next number and leaves nothing of the removed one.
  EXPECT_EQ(RegisterProject(settings, "E", "e.jkl", "E.GOB"), 3);
  EXPECT_EQ(settings.ReadSettingText("Project3", "LevelName", ""), "E");
  EXPECT_EQ(settings.ReadSettingText("Project3", "Extra", "none"), "none");
}

TEST_F(ProjectRegistryTest, AProjectsFolderLiesInProjectsOrItHasNone) {
  const std::filesystem::path program = "/opt/kx";
  EXPECT_EQ(ProjectFolder(program, "Abc Station"), program / "Projects" / "Abc Station");
  for (const char* name : {"", "..", "a/b", "a\\b", "tempdir", "x:y"}) {
    EXPECT_EQ(ProjectFolder(program, name), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace kx::project
