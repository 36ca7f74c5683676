#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The texts of the level reader's own errors (capacities, slots, the sequel's format, the
/// copyright limit); the runtime's texts are in platform/CommandError.h.
namespace kx::level {

/// "<file>, line N": where a read stopped.
std::string JklPlace(const std::string& sourceName, std::int64_t lineNumber);

/// "Too many vertices: the editor holds at most 16384".
std::string TooManyText(std::string_view what, int capacity);
/// "Invalid number of vertices: -3 is below 0".
std::string NegativeCountText(std::string_view what, std::int32_t count);
/// A surface line with more corners than a surface holds, or fewer than none.
std::string CornerCountText(std::int32_t surfaceNumber, std::int32_t corners);
/// A "SECTOR" line naming a slot outside the sector table.
std::string SectorSlotText(std::int32_t slot, int capacity);
/// A sector vertex line naming a slot outside the sector's vertex list.
std::string SectorVertexSlotText(std::int32_t slot, int sector, std::int32_t nverts);
/// A "VERTICES" line of a sector with a count outside 0..limit.
std::string SectorVertexCountText(int sector, std::int32_t count, int limit);
/// A "VERTICES" line of a sector declaring more vertices than the file can list.
std::string SectorVerticesBeyondFileText(int sector, std::int32_t count);
/// A level written in the sequel's format.
std::string SequelFormatText();
/// The box shown when a level has more copyright lines than the table holds.
std::string CopyrightLimitText();

}  // namespace kx::level
