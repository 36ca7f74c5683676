#include "properties/MaterialCatalog.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "level/Capacities.h"
#include "level/Words.h"
#include "platform/CommandError.h"

#include <algorithm>
#include <optional>
#include <span>
#include <system_error>
#include <unordered_set>

namespace kx::properties {

namespace {

namespace fs = std::filesystem;
using level::EqualsIgnoringCase;
using level::ToUpperAscii;

/// Whether name can stand in the level's materials section and be read back whole.
bool IsLevelMaterialName(std::string_view name) {
  if (name.size() <= 4 || name.size() > level::capacity::kNameText) return false;
  if (!EqualsIgnoringCase(name.substr(name.size() - 4), ".mat")) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return level::IsBlankOrControl(c) || c == '#' || static_cast<unsigned char>(c) == 127;
  });
}

/// The material's file name when entry parts lie in mat\ or 3do\mat\.
std::optional<std::string> MaterialOfEntry(const std::vector<std::string>& parts) {
  const bool inMat = parts.size() == 2 && EqualsIgnoringCase(parts[0], "mat");
  const bool inModelMat = parts.size() == 3 && EqualsIgnoringCase(parts[0], "3do") &&
                          EqualsIgnoringCase(parts[1], "mat");
  if (!inMat && !inModelMat) return std::nullopt;
  return parts.back();
}

class NameList {
 public:
  void Add(const std::string& name) {
    if (IsLevelMaterialName(name) && m_seen.insert(ToUpperAscii(name)).second) {
      m_names.push_back(name);
    }
  }
  std::vector<std::string> Sorted() && {
    std::stable_sort(m_names.begin(), m_names.end(), [](const auto& a, const auto& b) {
      return ToUpperAscii(a) < ToUpperAscii(b);
    });
    return std::move(m_names);
  }

 private:
  std::vector<std::string> m_names;
  std::unordered_set<std::string> m_seen;
};

/// Adds the files of every folder below dir whose path is parts, letter case ignored in each
/// part: an archive unpacked on a case-sensitive file system may hold mat\ and MAT\ both.
void AddFolder(NameList& names, const fs::path& dir, std::span<const std::string_view> parts) {
  std::error_code error;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code statusError;
    const std::string name = it->path().filename().string();
    if (parts.empty()) {
      if (it->is_regular_file(statusError)) names.Add(name);
    } else if (EqualsIgnoringCase(name, parts.front()) && it->is_directory(statusError)) {
      AddFolder(names, it->path(), parts.subspan(1));
    }
  }
}

}  // namespace

std::vector<std::string> ListGameMaterials(const resources::ResourcePaths& paths,
                                           platform::Ui& ui) {
  NameList names;
  if (!paths.projectDir.empty()) {
    constexpr std::string_view kMat[] = {"mat"};
    constexpr std::string_view kModelMat[] = {"3do", "mat"};
    AddFolder(names, paths.projectDir, kMat);
    AddFolder(names, paths.projectDir, kModelMat);
  }
  std::error_code error;
  if (!paths.res2Path.empty() && fs::is_regular_file(paths.res2Path, error)) {
    try {
      archive::ForEachGobEntry(paths.res2Path, [&](const archive::GobDirectoryEntry& entry) {
        if (auto name = MaterialOfEntry(archive::SafeEntryParts(entry.name))) names.Add(*name);
      });
    } catch (const platform::CommandError& failure) {
      ui.ShowMessage(platform::BoxKind::Error, failure.FullText());
    }
  }
  return std::move(names).Sorted();
}

std::vector<std::string> FilterNames(const std::vector<std::string>& names,
                                     std::string_view filter) {
  const std::string wanted = ToUpperAscii(filter);
  std::vector<std::string> kept;
  for (const auto& name : names) {
    if (ToUpperAscii(name).find(wanted) != std::string::npos) kept.push_back(name);
  }
  return kept;
}

std::string MaterialsFullText(std::string_view name, int capacity) {
  return "The level's materials table is full (" + std::to_string(capacity) +
         " materials): " + std::string(name) + " was not added.";
}

AddedMaterial AddMaterial(editing::Editor& editor, std::string_view name, platform::Ui& ui) {
  const auto& materials = editor.Level().materials;
  for (int i = 0; i < materials.Used(); ++i) {
    if (EqualsIgnoringCase(materials[i].name, name)) {
      return {AddedMaterial::Outcome::AlreadyListed, i};
    }
  }
  if (materials.Used() >= materials.Capacity()) {
    ui.ShowMessage(platform::BoxKind::Warning, MaterialsFullText(name, materials.Capacity()));
    return {AddedMaterial::Outcome::TableFull, -1};
  }
  auto change = editor.Change("Add Material");
  const int index = change.Append(editing::RecordKind::Material);
  auto& material = change.Material(index);
  material.name = std::string(name);
  material.xTile = 1.0f;
  material.yTile = 1.0f;
  change.Commit();
  return {AddedMaterial::Outcome::Added, index};
}

}  // namespace kx::properties
