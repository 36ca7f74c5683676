#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "project/StartUp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

using platform::BoxKind;
using ::testing::ElementsAre;

TEST(StartUpTest, WarnsThenReadsTheGameFolderAndThePreviewSizeOrTheirDefaults) {
  const std::tuple<std::string, std::filesystem::path, int, int> cases[] = {
      {"", "", 320, 240},  // no settings file
      {"[directories]\r\njkdir=\\games\\Jedi Knight\\\r\n[3DPREVIEW]\r\nwidth=0x200\r\n"
       "Height=abc\r\n",
       "/games/Jedi Knight", 512, 240},
      {"[3DPreview]\nWidth=0\nHeight=-40\n", "", 320, 240},  // a preview without area
  };
  for (const auto& [ini, jkDir, width, height] : cases) {
    SCOPED_TRACE(ini);
    test::TempDir dir;
    if (!ini.empty()) dir.Write("Kelvarix.ini", ini);
    test::FakeUi ui;
    ProjectValues values;
    const auto settings = StartUp(values, dir.path(), ui);
    EXPECT_THAT(ui.boxes,
                ElementsAre(test::FakeUi::Box{
                    BoxKind::Warning,
                    "This is a preview version of Orbandel Kelvarix. It might not work on your "
                    "system.\r\rPlease read the README.TXT file for important information about "
                    "how to use Kelvarix"}));
    EXPECT_EQ(values.ProgramDir, dir.path());
    EXPECT_EQ(settings.Path(), dir.path() / "Kelvarix.ini");
    EXPECT_EQ(values.JKDir, jkDir);
    EXPECT_EQ(values.PreviewWidth, width);
    EXPECT_EQ(values.PreviewHeight, height);
    EXPECT_EQ(std::filesystem::exists(settings.Path()), !ini.empty());  // reading writes nothing
  }
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

}  // namespace
}  // namespace kx::project
