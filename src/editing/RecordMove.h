#pragma once

#include "building/LevelRules.h"

#include "editing/LevelChange.h"
#include "level/Level.h"
#include "mapview/EditMode.h"
#include "mapview/MapView.h"

#include <array>
#include <string>
#include <vector>

namespace kx::editing {

/// The records a move shifts: in Vertex mode the selected vertices, in Thing mode the selected
/// things (in use, visible and selected), in table order.
struct MoveSelection {
  mapview::EditMode mode = mapview::EditMode::Vertex;
  std::vector<int> indices;
};

/// The selection a move of the mode would shift; empty in Surface and Sector mode.
MoveSelection SelectedForMove(const level::Level& level, mapview::EditMode mode);

/// The name of the step: "Move 1 vertex", "Move 9 things".
std::string MoveStepName(const MoveSelection& selection);

/// A shift in world units along the view's horizontal (a) and vertical (b) axes.
struct MoveOffset {
  double a = 0;
  double b = 0;
  bool operator==(const MoveOffset&) const = default;
};

/// The shift of a drag from pixel from to pixel to, in whole grid steps unless free.
MoveOffset DragOffset(const mapview::MapView& view, mapview::PixelPoint from,
                      mapview::PixelPoint to, double step, bool free);

/// One grid step the way an arrow points on the map: left and right along a, up and down along b.
MoveOffset NudgeOffset(mapview::PanDirection direction, double step);

/// A move of the selection, open while it is dragged. Place puts the records at their place
/// before the move plus an offset, so that the map shows them there; Finish brings along what
/// follows them and makes the whole one step of the history. Dropped without Finish, it puts
/// every record back.
class RecordMove {
 public:
  RecordMove(level::Level& level, EditHistory& history, MoveSelection selection,
             mapview::View view);

  void Place(const MoveOffset& offset);
  /// Ends the move: for vertices the normals and sector values that follow them, for things the
  /// sector they now stand in (FollowVertices, FollowThings). Returns the records that changed;
  /// empty, leaving no step, when nothing moved.
  building::RuleScope Finish();

  const MoveSelection& Selection() const { return m_selection; }

 private:
  LevelChange m_change;
  MoveSelection m_selection;
  mapview::ViewAxes m_axes;
  std::vector<std::array<float, 3>> m_from;  // each record's place before the move
};

/// What follows vertices that moved, written through change: the normal of every surface with a
/// moved corner (from its corners' winding), and the vertex list (when it is not already the
/// vertices of its surfaces), bound box, collision box, centre and radius of every sector with
/// a moved vertex. Returns those surfaces and sectors.
building::RuleScope FollowVertices(LevelChange& change, const std::vector<int>& vertices);

/// Each thing whose place lies outside its sector goes into the sector whose volume holds it;
/// one that no sector holds keeps its sector.
void FollowThings(LevelChange& change, const std::vector<int>& things);

}  // namespace kx::editing
