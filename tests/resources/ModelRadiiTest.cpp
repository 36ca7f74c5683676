#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "resources/ModelRadii.h"

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;

std::string ModelText(const char* radius) {
  return std::string("SECTION: MODELRESOURCE\r\nMATERIALS 1\r\n 0: a.mat\r\n") +
         "SECTION: GEOMETRYDEF\r\nRADIUS " + radius + "\r\nGEOSET 0\r\nRADIUS 99\r\n";
}

class ModelRadiiTest : public ::testing::Test {
 protected:
  void Models(std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* name : names) level->models[i++].name = name;
    level->models.count = i;
  }
  float Radius(int i) const { return level->models[i].radius; }

  test::TempDir dir;
  fs::path project = dir.path() / "Projects" / "Level";
  fs::path res2 = dir.path() / "resource" / "res2.gob";
  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  test::FakeUi ui;
};

TEST_F(ModelRadiiTest, LooseFileInTheProjectWinsOverTheResourceArchive) {
  test::GobBuilder{}
      .Entry("3do\\crate.3do", ModelText("2.5"))
      .Entry("3do\\barrel.3do", ModelText("0.75"))
      .WriteTo(res2);
  dir.Write("Projects/Level/3DO/Crate.3DO", ModelText("1.25"));
  Models({"crate.3do", "barrel.3do"});

  Parse3DOs(*level, project, res2, ui);

  EXPECT_FLOAT_EQ(Radius(0), 1.25f);
  EXPECT_FLOAT_EQ(Radius(1), 0.75f);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ModelRadiiTest, ReportsEachMissingModelAndGoesOn) {
  test::GobBuilder{}.Entry("3do\\real.3do", ModelText("3")).WriteTo(res2);
  dir.Write("Projects/Level/3do/empty.3do", "");
  Models({"ghost.3do", "empty.3do", "real.3do"});
  level->models[0].radius = 4.0f;

  Parse3DOs(*level, project, res2, ui);

  EXPECT_EQ(ui.boxes, (std::vector<test::FakeUi::Box>{
                          {BoxKind::Plain, "Can't find ghost.3do\r in Parse3DOs"},
                          {BoxKind::Plain, "Can't find empty.3do\r in Parse3DOs"}}));
  EXPECT_FLOAT_EQ(Radius(0), 4.0f);
  EXPECT_FLOAT_EQ(Radius(2), 3.0f);
}

TEST_F(ModelRadiiTest, MissingGameFolderReportsEveryModelNotInTheProject) {
  dir.Write("Projects/Level/3do/here.3do", ModelText("1"));
  Models({"here.3do", "gone.3do"});
  Parse3DOs(*level, project, dir.path() / "nowhere" / "res2.gob", ui);
  EXPECT_EQ(
      ui.boxes,
      (std::vector<test::FakeUi::Box>{{BoxKind::Plain, "Can't find gone.3do\r in Parse3DOs"}}));
  EXPECT_FLOAT_EQ(Radius(0), 1.0f);
}

TEST_F(ModelRadiiTest, FileWithoutRadiusKeepsItsOwnValueNotThePreviousModels) {
  test::GobBuilder{}
      .Entry("3do\\big.3do", ModelText("9.5"))
      .Entry("3do\\plain.3do", "MATERIALS 0\r\nGEOSET 0\r\nRADIUS 7\r\n")
      .Entry("3do\\kept.3do", "3DO 2.1\r\n")
      .WriteTo(res2);
  Models({"big.3do", "plain.3do", "kept.3do"});
  level->models[2].radius = 0.125f;

  Parse3DOs(*level, project, res2, ui);

  EXPECT_FLOAT_EQ(Radius(0), 9.5f);
  EXPECT_FLOAT_EQ(Radius(1), 0.0f);
  EXPECT_FLOAT_EQ(Radius(2), 0.125f);
}

TEST_F(ModelRadiiTest, ShowsEachModelInTheProgressWindow) {
  test::GobBuilder{}
      .Entry("3do\\a.3do", ModelText("1"))
      .Entry("3do\\b.3do", ModelText("2"))
      .Entry("3do\\c.3do", ModelText("3"))
      .WriteTo(res2);
  Models({"a.3do", "b.3do", "c.3do"});

  Parse3DOs(*level, project, res2, ui);

  EXPECT_EQ(ui.progress,
            (std::vector<std::string>{"begin Parsing 3DO files...|Parsing: |2", "item a.3do",
                                      "item b.3do", "item c.3do", "end"}));
  EXPECT_EQ(ui.positions, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(ui.processEventsCalls, 3);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(ModelRadiiTest, EmptyModelTableShowsAndHidesTheWindow) {
  Parse3DOs(*level, project, res2, ui);
  EXPECT_EQ(ui.progress,
            (std::vector<std::string>{"begin Parsing 3DO files...|Parsing: |0", "end"}));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ModelRadiiTest, DamagedArchiveStopsWithTheWindowHidden) {
  test::GobBuilder{}.Entry("3do\\a.3do", ModelText("1")).WithSize(1000000).WriteTo(res2);
  Models({"a.3do"});
  EXPECT_THROW(Parse3DOs(*level, project, res2, ui), platform::CommandError);
  EXPECT_FALSE(ui.progressShown);
  EXPECT_EQ(ui.busyDepth, 0);
}

}  // namespace
}  // namespace kx::resources
