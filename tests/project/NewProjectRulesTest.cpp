#include "project/NewProjectRules.h"

#include <gtest/gtest.h>

namespace kx::project {
namespace {

TEST(NewProjectRulesTest, AllThreeFieldsAreNeededAndTheGob2NameIsADosName) {
  EXPECT_TRUE(NewProjectFieldsValid("My Level", "01mine.jkl", "ABCDEFGH"));
  EXPECT_FALSE(NewProjectFieldsValid("My Level", "01mine.jkl", "ABCDEFGHI"));
  EXPECT_TRUE(NewProjectFieldsValid("My Level", "01mine.jkl", "abcdefgh.gob"));
  EXPECT_FALSE(NewProjectFieldsValid("My Level", "01mine.jkl", "abcdefghi.gob"));
  // The extension counts wherever it stands and in any case.
  EXPECT_TRUE(NewProjectFieldsValid("My Level", "01mine.jkl", "a.GoBxxxxxx"));
  EXPECT_FALSE(NewProjectFieldsValid("My Level", "01mine.jkl", "abcdefgh.go"));
  EXPECT_FALSE(NewProjectFieldsValid("", "01mine.jkl", "A.GOB"));
  EXPECT_FALSE(NewProjectFieldsValid("My Level", "", "A.GOB"));
  EXPECT_FALSE(NewProjectFieldsValid("My Level", "01mine.jkl", ""));
}

TEST(NewProjectRulesTest, LeavingTheGob2FieldAddsTheExtensionAndUpperCases) {
  EXPECT_EQ(CompleteGob2Name("ABCDEFGH"), "ABCDEFGH.GOB");
  EXPECT_EQ(CompleteGob2Name("abcdefgh.gob"), "ABCDEFGH.GOB");
  EXPECT_EQ(CompleteGob2Name("mine"), "MINE.GOB");
  EXPECT_EQ(CompleteGob2Name("mine.GoB"), "MINE.GOB");
  EXPECT_EQ(CompleteGob2Name(""), "");
}

}  // namespace
}  // namespace kx::project
