#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "resources/ModelRadii.h"

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

using Box = test::FakeUi::Box;

std::string Model(const char* radius) {
  return std::string("MATERIALS 1\r\n 0: a.mat\r\nRADIUS ") + radius +
         "\r\nGEOSET 0\r\nRADIUS 99\r\n";
}

class ModelRadiiTest : public ::testing::Test {
 protected:
  void Models(std::initializer_list<const char*> names) {
    for (const char* name : names) level->models[level->models.count++].name = name;
  }
  float Radius(int i) const { return level->models[i].radius; }

  test::TempDir dir;
  std::filesystem::path project = dir.path() / "project";
  std::filesystem::path res2 = dir.path() / "res2.gob";
  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  test::FakeUi ui;
};

TEST_F(ModelRadiiTest, ProjectBeforeArchiveMissingModelsReportedRadiusKeptWithoutOne) {
  test::GobBuilder{}
      .Entry("3do\\crate.3do", Model("2.5"))
      .Entry("3do\\barrel.3do", Model("0.75"))
      .Entry("3do\\plain.3do", "MATERIALS 0\r\nGEOSET 0\r\nRADIUS 7\r\n")
      .Entry("3do\\kept.3do", "3DO 2.1\r\n")
      .WriteTo(res2);
  dir.Write("project/3DO/Crate.3DO", Model("1.25"));
  dir.Write("project/3do/empty.3do", "");
  Models({"crate.3do", "barrel.3do", "ghost.3do", "empty.3do", "plain.3do", "kept.3do"});
  level->models[2].radius = 4.0f;
  level->models[5].radius = 0.125f;

  Parse3DOs(*level, project, res2, ui);

  // plain.3do follows a model with a radius and has none of its own: it keeps its 0.
  const std::vector<float> radii{1.25f, 0.75f, 4.0f, 0.0f, 0.0f, 0.125f};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Radius(i), radii[std::size_t(i)]) << i;
  // One box names every missing model, and each is noted for the Messages panel.
  EXPECT_EQ(ui.boxes, (std::vector<Box>{{platform::BoxKind::Plain,
                                         "Can't find ghost.3do, empty.3do\r in Parse3DOs"}}));
  EXPECT_EQ(ui.notes, (std::vector<std::string>{"Can't find ghost.3do in Parse3DOs",
                                                "Can't find empty.3do in Parse3DOs"}));
  EXPECT_EQ(ui.progress,
            (std::vector<std::string>{"begin Parsing 3DO files...|Parsing: |5", "item crate.3do",
                                      "item barrel.3do", "item ghost.3do", "item empty.3do",
                                      "item plain.3do", "item kept.3do", "end"}));
  EXPECT_EQ(ui.positions, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(ui.processEventsCalls, 6);
  EXPECT_EQ(ui.maxBusyDepth, 1);

  // Without the game a level misses every model: the box names ten and counts the rest.
  test::FakeUi many;
  level->models.count = 12;
  for (int i = 0; i < 12; ++i) level->models[i].name = "m" + std::to_string(i) + ".3do";
  Parse3DOs(*level, project, dir.path() / "nowhere.gob", many);
  EXPECT_EQ(many.boxes, (std::vector<Box>{{platform::BoxKind::Plain,
                                           "Can't find m0.3do, m1.3do, m2.3do, m3.3do, m4.3do, "
                                           "m5.3do, m6.3do, m7.3do, m8.3do, m9.3do, ... and 2 more "
                                           "(View > Messages)\r in Parse3DOs"}}));
  EXPECT_EQ(many.notes.size(), 12u);
  EXPECT_EQ(many.notes.back(), "Can't find m11.3do in Parse3DOs");

  test::FakeUi none;
  level->models.count = 0;
  Parse3DOs(*level, project, res2, none);
  EXPECT_EQ(none.progress,
            (std::vector<std::string>{"begin Parsing 3DO files...|Parsing: |0", "end"}));
}

TEST_F(ModelRadiiTest, DamagedArchiveStopsWithTheWindowHidden) {
  test::GobBuilder{}.Entry("3do\\a.3do", Model("1")).WithSize(1000000).WriteTo(res2);
  Models({"a.3do"});
  EXPECT_THROW(Parse3DOs(*level, project, res2, ui), platform::CommandError);
  EXPECT_FALSE(ui.progressShown);
  EXPECT_EQ(ui.busyDepth, 0);
}

}  // namespace
}  // namespace kx::resources
