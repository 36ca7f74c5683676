#pragma once

#include "level/Level.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kx::test {

/// The level of the editor's end-to-end tests, in the Top view at z 0: surface 0 the square
/// (1,1)-(3,3), surface 1 the square (4,1)-(5,2), sector 0 holding surface 0 and sector 1
/// surface 1, and a thing at (6,3) whose template names a model of radius 0.5. gravity tells
/// levels apart.
std::unique_ptr<level::Level> EditorTestLevel(float gravity = 1.0f);

/// Writes a user archive to path: the test level once per JKL name (jkl\NAME, gravity 1, 2,
/// ...), episode.jk and misc\cogstrings.uni naming each level "Level " + its JKL name without
/// ".jkl" in upper case. Returns path.
std::filesystem::path WriteUserArchive(const std::filesystem::path& path,
                                       const std::vector<std::string>& jklNames);

}  // namespace kx::test
