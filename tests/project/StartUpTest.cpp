#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "project/ProgramDir.h"
#include "project/StartUp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

using platform::BoxKind;
using ::testing::ElementsAre;

TEST(StartUpTest, WithoutSettingsFileStartsWithEmptyGameFolderAndDefaultPreview) {
  test::TempDir dir;
  test::FakeUi ui;
  ProjectValues values;
  const auto settings = StartUp(values, dir.path(), ui);
  EXPECT_THAT(ui.boxes, ElementsAre(test::FakeUi::Box{
                            BoxKind::Warning,
                            "This is a preview version of Orbandel Kelvarix. It might not work on "
                            "your system.\r\rPlease read the README.TXT file for important "
                            "information about how to use Kelvarix"}));
  EXPECT_EQ(values.ProgramDir, dir.path());
  EXPECT_EQ(settings.Path(), dir.path() / "Kelvarix.ini");
  EXPECT_TRUE(values.JKDir.empty());
  EXPECT_EQ(values.PreviewWidth, 320);
  EXPECT_EQ(values.PreviewHeight, 240);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Kelvarix.ini"));
}

TEST(StartUpTest, ReadsGameFolderAndPreviewSizeFromTheSettings) {
  test::TempDir dir;
  dir.Write("Kelvarix.ini",
            "[directories]\r\njkdir=\\games\\Jedi Knight\\\r\n[3DPREVIEW]\r\nwidth=0x200\r\n"
            "Height=abc\r\n");
  test::FakeUi ui;
  ProjectValues values;
  StartUp(values, dir.path(), ui);
  EXPECT_EQ(values.JKDir, std::filesystem::path("/games/Jedi Knight"));
  EXPECT_EQ(values.PreviewWidth, 512);
  EXPECT_EQ(values.PreviewHeight, 240);
}

TEST(StartUpTest, PreviewWithoutAreaFallsBackToTheDefault) {
  test::TempDir dir;
  dir.Write("Kelvarix.ini", "[3DPreview]\nWidth=0\nHeight=-40\n");
  test::FakeUi ui;
  ProjectValues values;
  StartUp(values, dir.path(), ui);
  EXPECT_EQ(values.PreviewWidth, 320);
  EXPECT_EQ(values.PreviewHeight, 240);
}

TEST(StartUpTest, ExitNeedsAYesAndOnlyThenReleasesTheSettings) {
  test::TempDir dir;
  test::FakeUi ui;
  std::optional<platform::SettingsFile> settings(dir.path() / "Kelvarix.ini");
  ui.yesNoAnswers = {false, true};
  EXPECT_FALSE(ConfirmExit(ui, settings));
  ASSERT_TRUE(settings.has_value());
  settings->WriteSettingInt("Projects", "NProjects", 0);  // still usable
  EXPECT_TRUE(ConfirmExit(ui, settings));
  EXPECT_FALSE(settings.has_value());
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{BoxKind::Confirm, "Do you want to exit Kelvarix?"},
                          test::FakeUi::Box{BoxKind::Confirm, "Do you want to exit Kelvarix?"}));
}

TEST(ProgramDirTest, IsTheProgramFilesFolder) {
  EXPECT_EQ(ProgramDirOf("/opt/tools/kelvarix"), std::filesystem::path("/opt/tools"));
  const auto running = RunningProgramDir();
  EXPECT_TRUE(std::filesystem::exists(running / "kx_tests")) << running;
}

}  // namespace
}  // namespace kx::project
