#pragma once

#include "mapview/EditMode.h"

#include <span>
#include <string>
#include <string_view>

/// The property panel: the rows of its pages, what they show and how they are changed.
namespace kx::properties {

/// Every row of the three pages that have rows.
enum class Field {
  SurfaceMat,
  SurfaceSurfflags,
  SurfaceFaceflags,
  SurfaceGeo,
  SurfaceLight,
  SurfaceTex,
  SurfaceAdjoin,
  SurfaceExtralight,
  SectorFlags,
  SectorAmbientLight,
  SectorExtraLight,
  SectorColormap,
  SectorTint,
  SectorBoundbox,
  SectorCollidebox,
  SectorSound,
  SectorCenter,
  SectorRadius,
  ThingTemplate,
  Thing3DO,
  ThingRotation,
  ThingSector,
  ThingX,
  ThingY,
  ThingZ,
  ThingParams,
};

/// How a row's value is changed: typed into the edit box (and checked as the kind says), or
/// chosen: the box is read-only and the "more" button beside it runs the row's chooser.
enum class RowKind { Chosen, Integer, Float, Floats3, Text };

/// What a chosen row's "more" button runs.
enum class Chooser { None, Material, Flags, Tint };

struct RowInfo {
  Field field;
  std::string_view caption;  // "Mat:"
  std::string_view label;    // the value label's name, lblSurfaceMat
  RowKind kind;
  Chooser chooser = Chooser::None;
  std::string_view hint = {};  // the tool tip of caption and value label

  bool Typed() const { return kind != RowKind::Chosen; }
  /// The caption without its colon: the value label's accessible description ("Mat").
  std::string_view Description() const;
  /// The name of the change a commit on the row makes: "Change " + Description().
  std::string StepName() const;
};

/// A page of rows and the geometry of its edit box and "more" button.
struct PageInfo {
  mapview::EditMode mode;
  std::string_view page;  // pnlInfoSurface
  std::string_view edit;  // edtSurface
  std::string_view more;  // btnSurfaceMore
  int editX;              // the edit box's left edge on the page
  int typedMargin;        // a typed row's box is the page width minus this wide
  int chosenMargin;       // a chosen row's box is the page width minus this wide
  std::span<const RowInfo> rows;

  int RowCount() const { return static_cast<int>(rows.size()); }
  /// The row numbered row, from 1.
  const RowInfo& Row(int row) const { return rows[static_cast<std::size_t>(row - 1)]; }
};

/// The rows are 20 pixels apart, the first at y 2.
inline constexpr int kRowTop = 2;
inline constexpr int kRowPitch = 20;
/// The edit box and the "more" button stand this far above their row's value label.
inline constexpr int kEditRaise = 4;
/// The "more" button's left edge is the page width minus this.
inline constexpr int kMoreFromRight = 21;

/// The page of mode's table; null for the vertex page, which has no rows.
const PageInfo* PageFor(mapview::EditMode mode);

/// The row of field.
const RowInfo& RowOf(Field field);

/// The three pages with rows: surface, sector, thing.
std::span<const PageInfo> Pages();

}  // namespace kx::properties
