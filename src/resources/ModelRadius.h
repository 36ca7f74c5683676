#pragma once

#include "resources/LineSource.h"

#include <optional>
#include <string>

/// The one value the editor keeps from a 3DO model file: the model's own radius.
namespace kx::resources {

/// Removes and returns the first word of line. The word ends at the first tab when the line holds
/// one (even after an earlier blank), else at the first blank; word and rest are trimmed.
std::string NextToken(std::string& line);

/// The radius of the geometry definition: the last RADIUS line between a MATERIALS line and the
/// next GEOSET or HIERARCHY NODES line, keywords in any case, "#" comments ignored. Reads the
/// whole source. nullopt when the file has no such line.
std::optional<float> Read3DORadius(LineSource& lines);

}  // namespace kx::resources
