#include "project/NewProjectRules.h"

#include "level/Words.h"

namespace kx::project {

namespace {

bool HoldsGobExtension(std::string_view name) {
  return level::ToUpperAscii(name).find(".GOB") != std::string::npos;
}

}  // namespace

bool NewProjectFieldsValid(std::string_view levelName, std::string_view jklName,
                           std::string_view gob2Name) {
  if (levelName.empty() || jklName.empty() || gob2Name.empty()) return false;
  // The game's archives keep DOS names: eight characters and the extension.
  return gob2Name.size() <= (HoldsGobExtension(gob2Name) ? 12u : 8u);
}

std::string CompleteGob2Name(std::string_view gob2Name) {
  // Appending to nothing would make ".GOB" look like a name the user chose.
  if (gob2Name.empty()) return {};
  std::string completed(gob2Name);
  if (!HoldsGobExtension(completed)) completed += ".GOB";
  return level::ToUpperAscii(completed);
}

}  // namespace kx::project
