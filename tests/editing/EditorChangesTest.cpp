#include "support/EditorProject.h"
#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "editing/Editor.h"
#include "level/EpisodeFile.h"
#include "level/JklWriter.h"
#include "mapview/ZoomToFit.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::editing {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using ::testing::ElementsAre;
using Clock = RecoverySchedule::Clock;

// What a save of the level writes, with a fixed time in the banner: the level file and the
// episode file.
std::string SavedText(const level::Level& level) {
  return level::FormatLevel(level, "jkl\\01abc.jkl", "2026-01-01 00:00") +
         level::FormatEpisode(level.episode, "01abc.jkl");
}

// The editor on a 320 x 240 map with the editor's test level: world (x, y) is pixel
// (50x, 240 - 50y) in the Top view.
class EditorChangesTest : public ::testing::Test {
 protected:
  EditorChangesTest() {
    window.editor = &editor;
    editor.ResizeMap({320, 240});
    editor.Level() = *test::EditorTestLevel();
  }

  /// Makes a project of the editor's test level (jkl\01abc.jkl) and opens it.
  void OpenProject() {
    editor.StartUp(dir.path() / "prog");
    platform::NewProjectAnswer answer;
    answer.userGob2 = test::WriteUserArchive(dir.path() / "a.gob", {"01abc.jkl"}).string();
    ui.newProjectAnswers.push_back(answer);
    editor.NewProject();
    ASSERT_TRUE(editor.ProjectOpen());
    ui.boxes.clear();  // the model is in neither the project nor the game
  }
  fs::path LevelFile() const { return editor.Values().ProjectDir / "jkl" / "01abc.jkl"; }
  /// One step: the light of surface 0.
  void ChangeLight(int light) {
    auto change = editor.Change("Change Light");
    change.Surface(0).light = light;
    change.Commit();
  }

  test::TempDir dir;
  test::FakeUi ui;
  test::FakeEditorWindow window;
  Editor editor{ui, window};
};

TEST_F(EditorChangesTest, EveryKindOfChangeIsUndoneAndRedoneToTheSameSavedBytes) {
  const struct {
    const char* name;
    std::function<void(LevelChange&)> make;
    bool redraws;  // the map shows what changed
  } kinds[] = {
      {"Change Light",
       [](LevelChange& c) {
         for (const int s : {0, 1}) c.Surface(s).light = 7;
       },
       true},
      {"Change Surfflags", [](LevelChange& c) { c.Surface(1).surfflags = 0x4000; }, true},
      {"Change Material", [](LevelChange& c) { c.Surface(0).mat = 3; }, true},
      {"Change Tint",
       [](LevelChange& c) {
         c.Sector(1).tint = {0.25f, 0.5f, 1};
       },
       true},
      {"Add Material",
       [](LevelChange& c) {
         const int m = c.Append(RecordKind::Material);
         c.Material(m) = {"dirt.mat", 1, 1};
       },
       true},
      {"Change X", [](LevelChange& c) { c.Thing(0).x = 6.5f; }, true},
      {"Change Header", [](LevelChange& c) { c.Header().worldGravity = 2.5f; }, false},
      {"Change Copyright",
       [](LevelChange& c) {
         auto& lines = c.Copyright();
         lines.items[static_cast<std::size_t>(lines.count)] = "(c) 2026";
         ++lines.count;
       },
       false},
      {"Change Episode Info",
       [](LevelChange& c) {
         c.Episode() = {"Other Episode", level::kEpisodeDeathmatch};
       },
       false},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const std::string before = SavedText(editor.Level());
    {
      auto change = editor.Change(kind.name);
      kind.make(change);
      change.Commit();
    }
    const std::string after = SavedText(editor.Level());
    ASSERT_NE(after, before);
    EXPECT_EQ(editor.History().UndoName(), kind.name);
    window.calls.clear();
    editor.Undo();
    EXPECT_EQ(SavedText(editor.Level()), before);
    // Redrawn when the map shows what changed, then told, then the counter and the panel.
    std::vector<std::string> told = {"changed", "count 0", "panel"};
    if (kind.redraws) told.insert(told.begin(), "redraw");
    EXPECT_EQ(window.calls, told);
    EXPECT_EQ(editor.History().RedoName(), kind.name);
    editor.Redo();
    EXPECT_EQ(SavedText(editor.Level()), after);
  }
  // Undone all the way, the level is the one opened.
  for (std::size_t i = 0; i < std::size(kinds); ++i) editor.Undo();
  EXPECT_EQ(test::FirstLevelDifference(editor.Level(), *test::EditorTestLevel()), "");
  EXPECT_FALSE(editor.History().CanUndo());
}

TEST_F(EditorChangesTest, ANewChangeAfterUndoDropsTheRedoStepsAndSelectingIsNoStep) {
  ChangeLight(1);
  ChangeLight(2);
  editor.Undo();
  ASSERT_EQ(editor.History().RedoName(), "Change Light");
  editor.SelectAll();
  editor.KeyDown(Key::Escape, {});
  editor.MouseDown({100, 100});
  editor.MouseUp({100, 100});
  EXPECT_EQ(editor.History().StepCount(), 2u);
  EXPECT_TRUE(editor.History().CanRedo());
  ChangeLight(3);
  EXPECT_FALSE(editor.History().CanRedo());
  EXPECT_EQ(editor.History().StepCount(), 2u);
  editor.Redo();  // nothing to redo: nothing happens
  EXPECT_EQ(editor.Level().surfaces[0].light, 3);
  editor.Undo();
  EXPECT_EQ(editor.Level().surfaces[0].light, 1);
}

// Every table at its capacity, with values of the size real levels hold.
std::unique_ptr<level::Level> FullLevel() {
  auto level = std::make_unique<level::Level>();
  level::Level& l = *level;
  const auto fill = [](auto& table, auto value) {
    table.count = table.Capacity();
    for (auto& item : table.items) item = value;
  };
  const level::RecordMarks inUse{0, 0, 1};
  fill(l.copyright, std::string(60, 'c'));
  fill(l.materials, level::Material{"metal_wall_12.mat", 1, 1});
  fill(l.vertices, level::Vertex{1, 2, 3, inUse});
  level::Surface surface;
  surface.nverts = 4;
  surface.marks = inUse;
  fill(l.surfaces, surface);
  level::Sector sector;
  sector.nverts = 8;
  sector.vertexindices.assign(8, 1);
  sector.sound = "ambient_hum.wav";
  sector.nsurfaces = 8;
  sector.marks = inUse;
  fill(l.sectors, sector);
  fill(l.things, level::Thing{"stormtrooper", "guard", 1, 2, 3, 0, 90, 0, 5,
                              "thingflags=0x400 light=0.5", inUse});
  return level;
}

TEST_F(EditorChangesTest, AThousandStepsOnAFullLevelHoldWellUnderTenMegabytes) {
  window.editor = nullptr;  // what is measured here is the history, not the redraws
  editor.Level() = *FullLevel();
  const std::function<void(LevelChange&, int)> steps[] = {
      [](LevelChange& c, int i) {  // a sector's floor and ceiling at once
        for (int s = 0; s < 8; ++s) c.Surface((i * 8 + s) % 16384).light = i;
      },
      [](LevelChange& c, int i) { c.Surface(i).surfflags = static_cast<std::uint32_t>(i); },
      [](LevelChange& c, int i) { c.Surface(i).mat = i % 1024; },
      [](LevelChange& c, int i) {
        c.Sector(i % 2048).tint = {0.5f, 0.5f, i * 0.001f};
      },
      [](LevelChange& c, int i) { c.Thing(i % 1024).x = static_cast<float>(i); },
      [](LevelChange& c, int i) { c.Header().worldGravity = static_cast<float>(i); },
      [](LevelChange& c, int i) {
        c.Copyright().items[static_cast<std::size_t>(i % 64)] = "(c) " + std::to_string(i);
      },
      [](LevelChange& c, int i) { c.Episode().title = "Episode " + std::to_string(i); },
  };
  for (int i = 0; i < 1000; ++i) {
    auto change = editor.Change("Change Light");
    steps[static_cast<std::size_t>(i) % std::size(steps)](change, i + 1);
    change.Commit();
  }
  ASSERT_EQ(editor.History().StepCount(), 1000u);
  EXPECT_LT(editor.History().HeldBytes(), 10u * 1024 * 1024);
}

TEST_F(EditorChangesTest, TheCaptionIsMarkedWhileTheLevelDiffersFromItsSave) {
  OpenProject();
  const std::string plain = project::ProjectCaption("Level 01ABC");
  ASSERT_EQ(ui.captions.back(), plain);
  ChangeLight(1);
  EXPECT_EQ(ui.captions.back(), plain + "*");
  editor.SaveProject();
  EXPECT_EQ(ui.captions.back(), plain);
  ChangeLight(2);
  EXPECT_EQ(ui.captions.back(), plain + "*");
  editor.Undo();  // back at the save
  EXPECT_EQ(ui.captions.back(), plain);
  const auto shown = ui.captions.size();
  editor.Undo();  // past it
  EXPECT_EQ(ui.captions.back(), plain + "*");
  editor.Redo();
  EXPECT_EQ(ui.captions.back(), plain);
  EXPECT_EQ(ui.captions.size(), shown + 2);  // set only when the mark changes
}

TEST_F(EditorChangesTest, TheRecoveryFileFollowsUnsavedChangesOnTheClockAndEvery50Steps) {
  OpenProject();
  ui.notes.clear();  // what the open itself noted (names not found)
  const RecoveryFile& recovery = editor.Recovery();
  const Clock::time_point t0{};
  editor.RecoveryTick(t0);
  ChangeLight(1);
  editor.RecoveryTick(t0 + seconds(119));
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  editor.RecoveryTick(t0 + seconds(120));
  ASSERT_TRUE(fs::exists(recovery.LevelPath()));
  level::Level kept;
  recovery.Read(kept, ui);
  EXPECT_EQ(kept.surfaces[0].light, 1);

  // A save takes it away; so does undoing back to the save.
  editor.SaveProject();
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  ChangeLight(2);
  editor.RecoveryTick(t0 + seconds(300));
  editor.RecoveryTick(t0 + seconds(420));
  ASSERT_TRUE(fs::exists(recovery.LevelPath()));
  editor.Undo();
  editor.RecoveryTick(t0 + seconds(425));
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));

  // The 50th step is written at once, whatever the clock says.
  for (int light = 3; light < 50; ++light) ChangeLight(light);
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  ChangeLight(50);  // the 50th step made since the project opened
  ASSERT_TRUE(fs::exists(recovery.LevelPath()));
  recovery.Read(kept, ui);
  EXPECT_EQ(kept.surfaces[0].light, 50);
  EXPECT_TRUE(ui.notes.empty());

  // A file that cannot be written is a note, not an interruption.
  recovery.Remove();
  fs::create_directories(recovery.LevelPath() / "in the way");
  editor.RecoveryTick(t0 + seconds(1000));
  ChangeLight(51);
  editor.RecoveryTick(t0 + seconds(1200));
  ASSERT_EQ(ui.notes.size(), 1u);
  EXPECT_THAT(ui.notes[0], ::testing::StartsWith(
                               "The recovery file jkl\\01abc.jkl.recover could not be written: "));
  EXPECT_TRUE(ui.boxes.empty());
  fs::remove_all(recovery.LevelPath());

  // Leaving without saving takes it away too.
  ui.yesNoCancelAnswers = {platform::YesNoCancel::No};
  EXPECT_TRUE(editor.ConfirmExit());
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  EXPECT_FALSE(fs::exists(recovery.EpisodePath()));
}

TEST_F(EditorChangesTest, ARecoveryFileNewerThanTheLevelIsOfferedAtOpenAndRestoredOrDeleted) {
  OpenProject();
  // The project's own model, so that opening it asks nothing else.
  dir.Write(fs::relative(editor.Values().ProjectDir, dir.path()) / "3do" / "crate.3do",
            "MATERIALS 1\r\n0: a.mat\r\nRADIUS 0.5\r\nGEOSET 0\r\n");
  // What a session that never ended left behind.
  auto crashed = std::make_unique<level::Level>(editor.Level());
  crashed->surfaces[0].light = 4;
  crashed->episode.title = "Recovered";
  const RecoveryFile recovery = editor.Recovery();
  const std::string offer =
      "Unsaved changes of Level 01ABC were kept in the recovery file jkl\\01abc.jkl.recover, "
      "which is newer than the level file.\r\rRestore them? No deletes the recovery file.";
  const auto reopen = [&](bool restore) {
    ui.projectChoices = {0};
    ui.yesNoAnswers = {restore};
    ui.boxes.clear();
    editor.OpenProject();
  };
  for (const bool restore : {false, true}) {
    SCOPED_TRACE(restore ? "restored" : "deleted");
    recovery.Write(*crashed);
    fs::last_write_time(recovery.LevelPath(), fs::last_write_time(LevelFile()) + seconds(30));
    reopen(restore);
    EXPECT_THAT(ui.boxes, ElementsAre(test::FakeUi::Box{platform::BoxKind::Confirm, offer}));
    EXPECT_EQ(editor.Level().surfaces[0].light, restore ? 4 : 0);
    EXPECT_EQ(editor.Level().episode.title, restore ? "Recovered" : "Test Episode");
    EXPECT_EQ(editor.Level().models[0].radius, 0.5f);  // the model's radius, as read at open
    EXPECT_EQ(editor.History().Modified(), restore);
    EXPECT_EQ(ui.captions.back(), project::ProjectCaption("Level 01ABC", restore));
    EXPECT_EQ(fs::exists(recovery.LevelPath()), restore);
    EXPECT_EQ(fs::exists(recovery.EpisodePath()), restore);
  }
  // The restored changes dropped at the next open take their recovery file with them.
  ui.yesNoCancelAnswers = {platform::YesNoCancel::No};
  reopen(true);
  EXPECT_EQ(ui.boxes.size(), 1u);  // only the save question
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  // An older recovery file is not offered.
  recovery.Write(*crashed);
  fs::last_write_time(recovery.LevelPath(), fs::last_write_time(LevelFile()) - seconds(30));
  reopen(true);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(editor.Level().surfaces[0].light, 0);
  // One that cannot be read leaves the level as saved, says why, and is kept for the user.
  dir.Write(fs::relative(recovery.LevelPath(), dir.path()),
            "SECTION: GEORESOURCE\r\nWorld vertices x\r\n");
  fs::last_write_time(recovery.LevelPath(), fs::last_write_time(LevelFile()) + seconds(30));
  reopen(true);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1].kind, platform::BoxKind::Error);
  EXPECT_THAT(ui.boxes[1].text,
              ::testing::StartsWith("The recovery file jkl\\01abc.jkl.recover could not be read; "
                                    "the level is opened as it was saved.\r"));
  EXPECT_FALSE(editor.History().Modified());
  EXPECT_TRUE(fs::exists(recovery.LevelPath()));
}

TEST_F(EditorChangesTest, OpeningOrSwitchingTheViewFitsTheLevelOnlyWhenNoneOfItIsOnTheMap) {
  const struct {
    float shiftX, z;
    std::vector<mapview::View> views;
    std::vector<bool> fits;  // after the open, then after each switch
  } cases[] = {
      {0, 0.5f, {mapview::View::Front, mapview::View::Right}, {false, false, false}},
      {5000, 0.5f, {mapview::View::Front, mapview::View::Top}, {true, false, false}},
      // A fit in the Front view brings the level's height onto the Right view as well.
      {5000,
       800,
       {mapview::View::Front, mapview::View::Right, mapview::View::Top},
       {true, true, false, false}},
  };
  for (const auto& c : cases) {
    editor.View() = mapview::MapView::AtStart({320, 240});
    editor.Level() = *test::EditorTestLevel();
    auto& vertices = editor.Level().vertices;
    for (int v = 0; v < vertices.Used(); ++v) vertices[v].x += c.shiftX, vertices[v].z = c.z;
    std::vector<bool> fits;
    const auto note = [&](const auto& act) {
      const mapview::MapView before = editor.View();
      act();
      const mapview::MapView& after = editor.View();
      fits.push_back(after.scale != before.scale || after.originX != before.originX ||
                     after.originY != before.originY || after.originZ != before.originZ);
      EXPECT_TRUE(mapview::AnyVertexOnMap(editor.View(), editor.Level(), {320, 240}));
    };
    note([&] { editor.ProjectOpened(); });
    for (const mapview::View v : c.views) note([&] { editor.SetView(v); });
    EXPECT_EQ(fits, c.fits) << "shift " << c.shiftX << " z " << c.z;
  }
}

TEST_F(EditorChangesTest, SelectAllTakesEveryVisibleRecordOfTheModeAsOneBoxAndEscapeClears) {
  const struct {
    mapview::EditMode mode;
    int selected;
  } modes[] = {{mapview::EditMode::Vertex, 7},
               {mapview::EditMode::Surface, 1},
               {mapview::EditMode::Sector, 1},
               {mapview::EditMode::Thing, 0}};
  auto& level = editor.Level();
  level.vertices[0].marks.visible = 0;
  level.surfaces[0].marks.visible = 0;
  level.sectors[1].marks.visible = 0;
  level.things[0].marks.visible = 0;
  for (const auto& m : modes) {
    editor.SetEditMode(m.mode);
    window.calls.clear();
    editor.SelectAll();
    const std::vector<std::string> oneBox = {"selected", "count " + std::to_string(m.selected),
                                             "panel"};
    EXPECT_EQ(window.calls, oneBox) << static_cast<int>(m.mode);
    editor.KeyDown(Key::Escape, {});
    EXPECT_EQ(window.shownCount, 0);
  }
  EXPECT_EQ(level.vertices[0].marks.selected, 0);
  EXPECT_EQ(level.surfaces[1].marks.selected, 0);
}

}  // namespace
}  // namespace kx::editing
