#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "editing/Editor.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"
#include "properties/CopyrightForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::properties {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

level::Table<std::string> TableOf(const Lines& lines) {
  level::Table<std::string> table(level::capacity::kCopyrightLines);
  for (const auto& line : lines) table[table.count++] = line;
  return table;
}

std::string JoinLines(int count, const std::string& prefix) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\n";
  return text;
}

TEST(CopyrightFormTest, TheBoxGivesBackTheLinesItWasFilledWith) {
  for (const Lines& lines :
       {Lines{}, Lines{""}, Lines{"a"}, Lines{"a", ""}, Lines{"", ""}, Lines{" @@..@ ", "b"}}) {
    EXPECT_EQ(SplitCopyrightText(CopyrightText(TableOf(lines))), lines)
        << CopyrightText(TableOf(lines));
  }
  EXPECT_THAT(SplitCopyrightText("a\r\nb\rc\n"), ElementsAre("a", "b", "c"));
  EXPECT_THAT(SplitCopyrightText("a\n\nb"), ElementsAre("a", "", "b"));
}

TEST(CopyrightFormTest, NamesEveryLineThatIsNotKeptAsTyped) {
  const std::string longLine(300, 'x');
  const struct {
    std::string text;
    Lines stored;
    Lines losses;
  } cases[] = {
      {"plain\n(c) 1997 me", {"plain", "(c) 1997 me"}, {}},
      {"a\n\nb # note\n# remark\n  #x\n  lead\ttab ",
       {"a", "", "b # note", "# remark", "  #x", "  lead\ttab "},
       {"Line 2 is empty and is skipped when the level is read.",
        "Line 3 reads back as \"b\": a line ends at \"#\".",
        "Line 4 holds nothing before its \"#\" and is skipped when the level is read.",
        "Line 5 holds nothing before its \"#\" and is skipped when the level is read.",
        "Line 6 reads back as \"lead\ttab\": the blanks at its ends are dropped."}},
      {longLine, {longLine.substr(0, 255)}, {"Line 1 is cut to its first 255 characters."}},
      {JoinLines(65, "l"), {}, {"Line 65 is left out: a level holds 64 lines of copyright."}},
  };
  for (const auto& c : cases) {
    const CopyrightCheck check = CheckCopyright(c.text);
    EXPECT_EQ(check.refusal, "");
    if (!c.stored.empty()) {
      EXPECT_EQ(check.lines, c.stored);
    }
    EXPECT_EQ(check.losses, c.losses) << c.text;
  }
  const CopyrightCheck seventy = CheckCopyright(JoinLines(70, "line "));
  ASSERT_EQ(seventy.lines.size(), 64u);
  EXPECT_EQ(seventy.lines.back(), "line 64");
  EXPECT_THAT(seventy.losses,
              ElementsAre("Lines 65 to 70 are left out: a level holds 64 lines of copyright."));
}

// Writes a level whose copyright holds lines and reads it back as the editor does.
std::unique_ptr<level::Level> SavedAndRead(const Lines& lines) {
  auto level = std::make_unique<level::Level>();
  level->copyright = TableOf(lines);
  level->header.worldGravity = 4;
  const std::string text = level::FormatLevel(*level, "jkl\\t.jkl", "2024-01-01 00:00");
  auto read = std::make_unique<level::Level>();
  test::FakeUi ui;
  level::ParseLevel(text, "t.jkl", "t.jkl", *read, ui);
  return read;
}

TEST(CopyrightFormTest, WhatItPredictsIsWhatTheLevelReadsBackAndRefusedLinesReallyBreakIt) {
  const Lines typed = {"kept", "", "b # note", "# remark", "  lead", "x#", "end", "World"};
  const CopyrightCheck check = CheckCopyright(CopyrightText(TableOf(typed)));
  ASSERT_EQ(check.refusal, "");
  Lines expected;
  for (const auto& line : typed) {
    if (const auto readable = level::ReadableText(line); !readable.empty()) {
      expected.emplace_back(readable);
    }
  }
  const auto read = SavedAndRead(check.lines);
  EXPECT_EQ(
      Lines(read->copyright.items.begin(), read->copyright.items.begin() + read->copyright.count),
      expected);
  EXPECT_EQ(check.losses.size(), typed.size() - 3);  // all but "kept", "end" and "World"

  const struct {
    std::string line;
    std::string refusal;
  } refused[] = {
      {"section: header",
       "Line 2 of the copyright text, \"section: header\", would be read as the start of another "
       "section of the level, which could then not be read as it was saved. Change that line."},
      {"  World Vertices drawn by me",
       "Line 2 of the copyright text, \"  World Vertices drawn by me\", would be read as the "
       "start of another section of the level, which could then not be read as it was saved. "
       "Change that line."},
      {std::string("a\x1A") + "b",
       "Line 2 of the copyright text holds the character of code 26, which ends the level file: "
       "nothing after it could be read. Remove it."},
  };
  for (const auto& r : refused) {
    EXPECT_EQ(CheckCopyright("first\n" + r.line + "\nlast").refusal, r.refusal);
  }
  // Saved anyway, such a line cuts the copyright short or makes the level unreadable.
  EXPECT_EQ(SavedAndRead({"a", "SECTION: HEADER", "b"})->copyright.count, 1);
  EXPECT_THROW(SavedAndRead({"World vertices drawn by me"}), platform::CommandError);
  EXPECT_EQ(SavedAndRead({"a\x1A"})->header.worldGravity, 0.0f);
}

TEST(CopyrightFormTest, StoredLinesSurviveASaveAndOpeningAndPressingOkChangesNothing) {
  test::FakeUi ui;
  test::FakeEditorWindow window;
  editing::Editor editor(ui, window);
  editor.Level().copyright = TableOf({"one", "two"});
  StoreCopyright(editor, CheckCopyright(CopyrightText(editor.Level().copyright)).lines);
  EXPECT_FALSE(editor.History().CanUndo());

  const std::string longLine(300, 'c');
  StoreCopyright(editor, CheckCopyright("one\n" + longLine).lines);
  EXPECT_EQ(editor.History().UndoName(), "Change Copyright");
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "jkl");
  level::SaveLevel(editor.Level(), dir.path(), "t.jkl", ui);
  level::Level read;
  level::ReadLevel(read, dir.path() / "jkl" / "t.jkl", "t.jkl", ui);
  EXPECT_EQ(read.copyright.count, 2);
  EXPECT_EQ(read.copyright[1], longLine.substr(0, 255));
}

TEST(CopyrightFormTest, EveryCorpusCopyrightPassesThroughTheDialogUnchanged) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (entry.path().extension() != ".jkl") continue;
    SCOPED_TRACE(entry.path().string());
    test::FakeUi ui;
    auto level = std::make_unique<level::Level>();
    try {
      level::ReadLevel(*level, entry.path(), "x.jkl", ui);
    } catch (const platform::CommandError&) {
      continue;  // a level the editor does not open
    }
    const CopyrightCheck check = CheckCopyright(CopyrightText(level->copyright));
    EXPECT_EQ(check.refusal, "");
    EXPECT_THAT(check.losses, IsEmpty());
    EXPECT_EQ(TableOf(check.lines).items, level->copyright.items);
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace kx::properties
