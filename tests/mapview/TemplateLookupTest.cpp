#include "support/MapTestLevel.h"

#include "mapview/TemplateLookup.h"

#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

TEST(FindTemplateModelTest, TakesTheNameBetweenTheSignAndTheNextBlank) {
  test::MapTestLevel built;
  built.Model("ky.3do", 0.06f);
  built.Model("crate2.3do", 0.3f);
  built.Model("KY.3DO", 9);  // a later duplicate is never found
  const struct {
    const char* params;
    int model;
  } cases[] = {
      {"type=player model3d=ky.3do size=0.065", 0},
      {"Model3D=Crate2.3do", 1},
      {"model3d=crate2.3do\tsize=0.1", 1},
      {"model3d:ky.3do", 0},  // any one character after the name
      {"model3d= ky.3do", -1},
      {"size=0.1 puppet=ky.pup", -1},
      {"model3d", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindTemplateModel(built.level(), c.params), c.model) << c.params;
  }
}

TEST(FindTemplateTest, FindsTheFirstTemplateOfANameIgnoringCaseAndTheIndexItsModelToo) {
  test::MapTestLevel built;
  built.Model("a.3do", 1);
  built.Model("b.3do", 2);
  built.Template("one", "model3d=a.3do");
  built.Template("Two", "model3d=B.3DO size=1");
  built.Template("ONE", "model3d=b.3do");  // shadowed by the first "one"
  built.Template("none", "model3d=c.3do");
  built.Template("bare", "thingflags=0x1");
  const TemplateModelIndex index(built.level());
  const struct {
    const char* name;
    int templateIndex, modelIndex;
  } cases[] = {{"one", 0, 0}, {"TWO", 1, 1}, {"none", 3, -1}, {"bare", 4, -1}, {"missing", -1, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindTemplate(built.level(), c.name), c.templateIndex) << c.name;
    EXPECT_EQ(index.Lookup(c.name).templateIndex, c.templateIndex) << c.name;
    EXPECT_EQ(index.Lookup(c.name).modelIndex, c.modelIndex) << c.name;
  }
}

}  // namespace
}  // namespace kx::mapview
