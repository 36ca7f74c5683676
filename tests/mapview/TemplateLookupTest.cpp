#include "support/MapTestLevel.h"

#include "mapview/TemplateLookup.h"

#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

TEST(FindTemplateTest, MatchesNamesIgnoringCaseAndTakesTheFirst) {
  test::MapTestLevel built;
  built.Template("walkplayer", "");
  built.Template("Crate", "a");
  built.Template("CRATE", "b");
  EXPECT_EQ(FindTemplate(built.level(), "crate"), 1);
  EXPECT_EQ(FindTemplate(built.level(), "WALKPLAYER"), 0);
  EXPECT_EQ(FindTemplate(built.level(), "crates"), -1);
  EXPECT_EQ(FindTemplate(built.level(), ""), -1);
}

TEST(FindTemplateModelTest, TakesTheNameBetweenTheSignAndTheNextBlank) {
  test::MapTestLevel built;
  built.Model("ky.3do", 0.06f);
  built.Model("crate2.3do", 0.3f);
  built.Model("KY.3DO", 9);  // a later duplicate is never found
  const level::Level& level = built.level();
  EXPECT_EQ(FindTemplateModel(level, "type=player model3d=ky.3do size=0.065"), 0);
  EXPECT_EQ(FindTemplateModel(level, "Model3D=Crate2.3do"), 1);
  EXPECT_EQ(FindTemplateModel(level, "model3d=crate2.3do  \r"), 1);
  EXPECT_EQ(FindTemplateModel(level, "model3d=crate2.3do\tsize=0.1"), 1);
  EXPECT_EQ(FindTemplateModel(level, "model3d:ky.3do"), 0);  // any one character after it
  EXPECT_EQ(FindTemplateModel(level, "model3d= ky.3do"), -1);
  EXPECT_EQ(FindTemplateModel(level, "model3d=other.3do"), -1);
  EXPECT_EQ(FindTemplateModel(level, "size=0.1 puppet=ky.pup"), -1);
  EXPECT_EQ(FindTemplateModel(level, "model3d"), -1);
  EXPECT_EQ(FindTemplateModel(level, "model3d="), -1);
  EXPECT_EQ(FindTemplateModel(level, ""), -1);
}

TEST(TemplateModelIndexTest, GivesTheAnswersOfTheTwoLookups) {
  test::MapTestLevel built;
  built.Model("a.3do", 1);
  built.Model("b.3do", 2);
  built.Template("one", "model3d=a.3do");
  built.Template("Two", "model3d=B.3DO size=1");
  built.Template("ONE", "model3d=b.3do");  // shadowed by the first "one"
  built.Template("none", "model3d=c.3do");
  built.Template("bare", "thingflags=0x1");
  const level::Level& level = built.level();
  const TemplateModelIndex index(level);
  for (const char* name : {"one", "two", "TWO", "none", "bare", "missing", ""}) {
    const int found = FindTemplate(level, name);
    const auto got = index.Lookup(name);
    EXPECT_EQ(got.templateIndex, found) << name;
    EXPECT_EQ(got.modelIndex,
              found < 0 ? -1 : FindTemplateModel(level, level.templates[found].params))
        << name;
  }
  EXPECT_EQ(index.Lookup("one").modelIndex, 0);
}

}  // namespace
}  // namespace kx::mapview
