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

/// A file in which no section of a level was found: "Not a JKL level: <file>".
std::string NotALevelText(const std::string& sourceName);
/// A float the level cannot keep (beyond the float range, an infinity or NaN).
std::string InvalidFloatText(std::string_view text);
/// A surface line numbered (or placed) at or beyond the "World surfaces" count.
std::string SurfaceBeyondCountText(std::int32_t number, std::int32_t count);
/// A sector whose surfaces lie outside the surface table.
std::string SectorSurfacesOutsideText(int sector, std::int32_t first, std::int32_t count,
                                      std::int32_t surfaces);
/// Two sectors that claim some of the same surfaces.
std::string SectorsShareSurfacesText(int a, std::int32_t aFirst, std::int32_t aCount, int b,
                                     std::int32_t bFirst, std::int32_t bCount);

// Notes: what the reader left out or kept aside without stopping; each follows "<file>, line N: ".

/// Copyright lines after the table's last.
std::string CopyrightDroppedNote(int dropped);
/// Records listed after the count of their "World ..." line was reached; what is singular
/// ("vertex", "sector").
std::string RecordsIgnoredNote(int ignored, std::string_view what, std::string_view worldLine,
                               std::int32_t declared);
/// A subsection that listed fewer records than its "World ..." line declared.
std::string FewerRecordsNote(std::string_view worldLine, std::int32_t declared, int listed,
                             std::string_view what);
/// A section the editor does not read, kept as written.
std::string UnknownSectionNote(std::string_view sectionLine);
/// More unknown sections than were noted one by one.
std::string MoreUnknownSectionsNote(int more);

}  // namespace kx::level
