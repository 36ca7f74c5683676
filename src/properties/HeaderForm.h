#pragma once

#include "level/Level.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kx::editing {
class Editor;
}

/// The rules of the header dialog: its boxes, their texts, their checks and the values they give.
namespace kx::properties {

enum class HeaderValueKind { Integer, Float };

/// One edit box of the header dialog, in the order the boxes are filled, checked and read back.
struct HeaderField {
  std::string_view label;  // the label over the box ("&" marks its access key); empty for the
                           // further boxes of the same label
  std::string_view edit;   // the box's name
  std::string_view name;   // the field's name in messages and for screen readers
  HeaderValueKind kind;
  int row;  // the dialog's row, from 0; "Horizon Distance" and "Horizon Pixels per Rev" share one
};

inline constexpr int kHeaderFieldCount = 19;

inline constexpr std::array<HeaderField, kHeaderFieldCount> kHeaderFields{{
    {"&Version:", "edtVersion", "Version", HeaderValueKind::Integer, 0},
    {"World &Gravity:", "edtGravity", "World Gravity", HeaderValueKind::Float, 1},
    {"Ceiling Sky &Z:", "edtCeilingSkyZ", "Ceiling Sky Z", HeaderValueKind::Float, 2},
    {"Horizon &Distance:", "edtHDist", "Horizon Distance", HeaderValueKind::Float, 3},
    {"Horizon Pixels per &Rev:", "edtPixPerRev", "Horizon Pixels per Rev", HeaderValueKind::Float,
     3},
    {"&Horizon Sky Offset:", "edtHorizonX", "Horizon Sky Offset (X)", HeaderValueKind::Float, 4},
    {"", "edtHorizonZ", "Horizon Sky Offset (Z)", HeaderValueKind::Float, 4},
    {"&Ceiling Sky Offset:", "edtCeilingX", "Ceiling Sky Offset (X)", HeaderValueKind::Float, 5},
    {"", "edtCeilingZ", "Ceiling Sky Offset (Z)", HeaderValueKind::Float, 5},
    {"&MipMap Distances:", "edtMipMap1", "MipMap Distances (1)", HeaderValueKind::Float, 6},
    {"", "edtMipMap2", "MipMap Distances (2)", HeaderValueKind::Float, 6},
    {"", "edtMipMap3", "MipMap Distances (3)", HeaderValueKind::Float, 6},
    {"", "edtMipMap4", "MipMap Distances (4)", HeaderValueKind::Float, 6},
    {"&LOD Distances:", "edtLOD1", "LOD Distances (1)", HeaderValueKind::Float, 7},
    {"", "edtLOD2", "LOD Distances (2)", HeaderValueKind::Float, 7},
    {"", "edtLOD3", "LOD Distances (3)", HeaderValueKind::Float, 7},
    {"", "edtLOD4", "LOD Distances (4)", HeaderValueKind::Float, 7},
    {"&Perspective distance:", "edtPerspective", "Perspective distance", HeaderValueKind::Float, 8},
    {"Go&uraud distance:", "edtGouraud", "Gouraud distance", HeaderValueKind::Float, 9},
}};

/// The boxes' texts, in the order of kHeaderFields.
using HeaderTexts = std::array<std::string, kHeaderFieldCount>;

/// The texts the dialog opens with: the version in decimal, every float with six decimals.
HeaderTexts HeaderToTexts(const level::LevelHeader& header);

/// Whether text is a valid value of the field's kind: a whole 32-bit integer for the version, a
/// decimal number for the others that a 32-bit float holds (a number beyond its range would
/// become infinite and be written as text no reader takes back).
bool IsValidFieldText(const HeaderField& field, std::string_view text);

/// The first box in table order whose text is not valid; the later boxes are not looked at.
std::optional<int> FirstInvalidField(const HeaderTexts& texts);

/// The message for an invalid box: Error in field "World Gravity".
std::string FieldErrorText(int field);

/// The header the boxes give (every box valid): a box whose text is still the one the dialog
/// opened with keeps original's value as it is, so that opening the dialog and pressing OK
/// changes nothing; any other box gives its parsed value as a 32-bit float.
level::LevelHeader HeaderFromTexts(const level::LevelHeader& original, const HeaderTexts& texts);

/// Writes header into the Level as one step "Change Header" (none when nothing differs).
void StoreHeader(editing::Editor& editor, const level::LevelHeader& header);

}  // namespace kx::properties
