#pragma once

#include "level/Level.h"

#include <string>

namespace kx::test {

/// The first difference between the records in use of a and b ("vertices[3]: ... vs ..."), or
/// empty when there is none. Counts, the header and every record below its count are compared,
/// marks included; floats are compared as the writer writes them (six decimals), since that is
/// all a saved level keeps of them. The sections kept aside are compared line by line. A
/// model's radius, which the level file does not hold, is left out.
std::string FirstLevelDifference(const level::Level& a, const level::Level& b);

}  // namespace kx::test
