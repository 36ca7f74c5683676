#include "level/JklErrors.h"

#include "level/Capacities.h"

namespace kx::level {

namespace {

/// what, or its plural when n is not 1 ("vertex" -> "vertices", "adjoin" -> "adjoins").
std::string Plural(std::string_view what, int n) {
  if (n == 1) return std::string(what);
  if (what.ends_with("ex")) return std::string(what.substr(0, what.size() - 2)) + "ices";
  return std::string(what) + "s";
}

}  // namespace

std::string JklPlace(const std::string& sourceName, std::int64_t lineNumber) {
  return sourceName + ", line " + std::to_string(lineNumber);
}

std::string TooManyText(std::string_view what, int capacity) {
  return "Too many " + std::string(what) + ": the editor holds at most " + std::to_string(capacity);
}

std::string NegativeCountText(std::string_view what, std::int32_t count) {
  return "Invalid number of " + std::string(what) + ": " + std::to_string(count) + " is below 0";
}

std::string CornerCountText(std::int32_t surfaceNumber, std::int32_t corners) {
  return "Surface " + std::to_string(surfaceNumber) + " has " + std::to_string(corners) +
         " corners: a surface has 0 to " + std::to_string(capacity::kSurfaceMaxVertices);
}

std::string SectorSlotText(std::int32_t slot, int capacity) {
  return "Sector " + std::to_string(slot) + " is outside the sector table (0 to " +
         std::to_string(capacity - 1) + ")";
}

std::string SectorVertexSlotText(std::int32_t slot, int sector, std::int32_t nverts) {
  return "Vertex " + std::to_string(slot) + " of sector " + std::to_string(sector) +
         " is outside its list of " + std::to_string(nverts) + " vertices";
}

std::string SectorVertexCountText(int sector, std::int32_t count, int limit) {
  return "Sector " + std::to_string(sector) + " lists " + std::to_string(count) +
         " vertices: a sector has 0 to " + std::to_string(limit);
}

std::string SectorVerticesBeyondFileText(int sector, std::int32_t count) {
  return "Sector " + std::to_string(sector) + " lists " + std::to_string(count) +
         " vertices, more than the file has lines for";
}

std::string SequelFormatText() {
  return "The level is not in Jedi Knight's format: its surfaces carry four light values per "
         "corner, as Mysteries of the Sith writes them";
}

std::string CopyrightLimitText() {
  return "More than " + std::to_string(capacity::kCopyrightLines) +
         " lines of copyright information!";
}

std::string NotALevelText(const std::string& sourceName) {
  return "Not a JKL level: " + sourceName;
}

std::string InvalidFloatText(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid floating point value";
}

std::string SurfaceBeyondCountText(std::int32_t number, std::int32_t count) {
  return "Surface line " + std::to_string(number) + " lies beyond the " + std::to_string(count) +
         " surfaces of \"World surfaces\"";
}

std::string SectorSurfacesOutsideText(int sector, std::int32_t first, std::int32_t count,
                                      std::int32_t surfaces) {
  if (count < 0) {
    return "Sector " + std::to_string(sector) + " claims " + std::to_string(count) + " surfaces";
  }
  return "Sector " + std::to_string(sector) + " claims surfaces " + std::to_string(first) + " to " +
         std::to_string(std::int64_t{first} + count - 1) + ", outside the surface table of " +
         std::to_string(surfaces) + " surfaces";
}

std::string SectorsShareSurfacesText(int a, std::int32_t aFirst, std::int32_t aCount, int b,
                                     std::int32_t bFirst, std::int32_t bCount) {
  const auto range = [](std::int32_t first, std::int32_t count) {
    return std::to_string(first) + " to " + std::to_string(std::int64_t{first} + count - 1);
  };
  return "Sectors " + std::to_string(a) + " and " + std::to_string(b) +
         " claim the same surfaces: " + range(aFirst, aCount) + " and " + range(bFirst, bCount);
}

std::string CopyrightDroppedNote(int dropped) {
  return std::to_string(dropped) + " " + Plural("copyright line", dropped) + " after the " +
         std::to_string(capacity::kCopyrightLines) + "th dropped: the level holds " +
         std::to_string(capacity::kCopyrightLines);
}

std::string RecordsIgnoredNote(int ignored, std::string_view what, std::string_view worldLine,
                               std::int32_t declared) {
  return std::to_string(ignored) + " " + Plural(what, ignored) + " beyond the " +
         std::to_string(declared) + " of \"" + std::string(worldLine) + "\" ignored";
}

std::string FewerRecordsNote(std::string_view worldLine, std::int32_t declared, int listed,
                             std::string_view what) {
  return "\"" + std::string(worldLine) + "\" declares " + std::to_string(declared) + " " +
         Plural(what, declared) + " but lists " + std::to_string(listed) + ": the level holds " +
         std::to_string(listed);
}

std::string UnknownSectionNote(std::string_view sectionLine) {
  return "\"" + std::string(sectionLine) +
         "\" is not a section the editor reads: kept as written, saved after the things";
}

std::string MoreUnknownSectionsNote(int more) {
  return std::to_string(more) + " more sections the editor does not read kept as written";
}

}  // namespace kx::level
