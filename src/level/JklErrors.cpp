#include "level/JklErrors.h"

#include "level/Capacities.h"

namespace kx::level {

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

}  // namespace kx::level
