#pragma once

#include "archive/GobDirectory.h"
#include "resources/ResourceLookup.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kx::preview3d {

/// Upper-case names of materials.
using MaterialNameSet = std::unordered_set<std::string>;

/// The game's resources by relative name (mat\wall.mat) for a build that reads hundreds of
/// them: a loose file in the project folder first, an entry of the game's resource archive
/// second, both found in any letter case. The archive's directory is read once, here.
class ResourceIndex {
 public:
  ResourceIndex() = default;
  /// Reads the archive's directory. An archive that is missing gives no entries; one that is
  /// damaged gives none and a notice in notices.
  ResourceIndex(const resources::ResourcePaths& paths, std::vector<std::string>& notices);

  /// At most limit bytes of the resource name; nullopt when neither the project folder nor the
  /// archive has it. Throws platform::CommandError when its file cannot be read.
  std::optional<std::string> Read(std::string_view name, std::size_t limit) const;
  /// The names of the archive's model materials: its entries under 3do\mat\, without that
  /// folder, upper case.
  const MaterialNameSet& ModelMaterials() const { return m_modelMaterials; }

 private:
  resources::ResourcePaths m_paths;
  std::unordered_map<std::string, archive::GobDirectoryEntry> m_entries;  // by GobLookupKey
  MaterialNameSet m_modelMaterials;
};

}  // namespace kx::preview3d
