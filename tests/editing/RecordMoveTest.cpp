#include "editing/RecordMove.h"

#include "BuildingFixture.h"

#include <array>
#include <gmock/gmock.h>

namespace kx::editing {
namespace {

using mapview::EditMode;
using mapview::View;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class RecordMoveTest : public test::BuildingTest {};

TEST_F(RecordMoveTest, ADragShiftsAlongTheViewsPlaneInWholeGridStepsUnlessFree) {
  mapview::MapView view;
  view.scale = 50;
  // 13 pixels right and 7 up: 0.26 and 0.14 units.
  const mapview::PixelPoint from{100, 100}, to{113, 93};
  const struct {
    View view;
    bool free;
    float dx, dy, dz;
  } cases[] = {
      {View::Top, false, 0.3f, 0.1f, 0},    {View::Front, false, 0.3f, 0, 0.1f},
      {View::Right, false, 0, 0.3f, 0.1f},  {View::Top, true, 0.26f, 0.14f, 0},
      {View::Right, true, 0, 0.26f, 0.14f},
  };
  const int corner = VertexAt(2, 0.75f, 0.5f);
  for (const auto& c : cases) {
    RecordMove move(*level, history, {EditMode::Vertex, {corner}}, c.view);
    move.Place(DragOffset(view, from, to, 0.1, c.free));
    const auto& v = level->vertices[corner];
    EXPECT_NEAR(v.x, 2 + c.dx, 1e-6) << static_cast<int>(c.view) << c.free;
    EXPECT_NEAR(v.y, 0.75f + c.dy, 1e-6) << static_cast<int>(c.view) << c.free;
    EXPECT_NEAR(v.z, 0.5f + c.dz, 1e-6) << static_cast<int>(c.view) << c.free;
    // Dropped unfinished, the move puts the vertex back and leaves no step.
  }
  EXPECT_EQ(level->vertices[corner], (level::Vertex{2, 0.75f, 0.5f, level->vertices[corner].marks}));
  EXPECT_EQ(history.StepCount(), 0u);
  EXPECT_EQ(NudgeOffset(mapview::PanDirection::Down, 0.2), (MoveOffset{0, -0.2}));
  EXPECT_EQ(NudgeOffset(mapview::PanDirection::Left, 0.2), (MoveOffset{-0.2, 0}));
}

TEST_F(RecordMoveTest, TheNormalsAndSectorValuesThatFollowMovedCornersAreInTheSameStep) {
  const level::Sector cube = level->sectors[0];
  const int farWall = WallOf(1, -1, 0, 0);
  // The small room's far top edge, half a unit further east: its far wall leans back.
  const int top1 = VertexAt(2, 0.25f, 0.5f), top2 = VertexAt(2, 0.75f, 0.5f);
  RecordMove move(*level, history, {EditMode::Vertex, {top1, top2}}, View::Front);
  move.Place({0.5, 0});
  const building::RuleScope changed = move.Finish();

  EXPECT_EQ(history.StepCount(), 1u);
  EXPECT_EQ(history.UndoName(), "Move 2 vertices");
  test::ExpectDirection(level->normals[static_cast<std::size_t>(farWall)], -1, 0, 1);
  const level::Sector& room = level->sectors[1];
  const std::array<float, 6> box{1, 0.25f, 0, 2.5f, 0.75f, 0.5f};
  EXPECT_EQ(room.boundbox, box);
  EXPECT_EQ(room.collidebox, box);
  // Four vertices at x 1, two at 2 and two at 2.5.
  EXPECT_NEAR(room.center[0], 1.625, 1e-6);
  EXPECT_NEAR(room.center[1], 0.5, 1e-6);
  EXPECT_NEAR(room.center[2], 0.25, 1e-6);
  EXPECT_NEAR(room.radius, std::sqrt(0.875 * 0.875 + 0.25 * 0.25 + 0.25 * 0.25), 1e-6);
  EXPECT_EQ(level->sectors[0], cube);
  EXPECT_THAT(changed.sectors, UnorderedElementsAre(1));
  EXPECT_EQ(changed.surfaces.size(), 4u);  // the far wall, the ceiling, the north and south walls
  EXPECT_THAT(Problems(), IsEmpty());
}

TEST_F(RecordMoveTest, AMovedThingGoesIntoTheSectorThatHoldsItsNewPlace) {
  const struct {
    float x;
    int sector;
    double shift;
    int expected;
  } cases[] = {
      {0.9f, 0, 0.2, 1},   // through the opening into the small room
      {0.9f, 0, 0.1, 0},   // onto the shared wall: both hold it, it stays
      {1.1f, 1, -0.1, 1},  // onto the shared wall from the other side
      {1.1f, 1, -0.6, 0},  // back into the cube
      {0.9f, 0, 2.0, 0},   // out of every sector: unchanged
  };
  for (const auto& c : cases) {
    EditHistory steps;
    level->things.count = 1;
    level->things[0].x = c.x;
    level->things[0].y = 0.5f;
    level->things[0].z = 0.1f;
    level->things[0].sector = c.sector;
    RecordMove move(*level, steps, {EditMode::Thing, {0}}, View::Top);
    move.Place({c.shift, 0});
    const building::RuleScope changed = move.Finish();
    EXPECT_EQ(level->things[0].sector, c.expected) << c.x << " + " << c.shift;
    EXPECT_THAT(changed.things, UnorderedElementsAre(0));
    EXPECT_EQ(steps.UndoName(), "Move 1 thing");
  }
}

TEST_F(RecordMoveTest, AMoveBackToWhereItBeganLeavesNoStep) {
  const std::string before = Saved();
  RecordMove move(*level, history, {EditMode::Vertex, {0, 1, 2}}, View::Top);
  move.Place({0.3, 0.2});
  move.Place({0, 0});
  EXPECT_THAT(move.Finish().surfaces, IsEmpty());
  EXPECT_EQ(history.StepCount(), 0u);
  EXPECT_EQ(Saved(), before);
}

}  // namespace
}  // namespace kx::editing
