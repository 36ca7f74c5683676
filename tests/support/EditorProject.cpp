#include "support/EditorProject.h"

#include "support/GobBuilder.h"
#include "support/MapTestLevel.h"

#include "level/JklWriter.h"
#include "level/Words.h"

namespace kx::test {

std::unique_ptr<level::Level> EditorTestLevel(float gravity) {
  MapTestLevel built;
  built.level().header.version = 1;
  built.level().header.worldGravity = gravity;
  built.Square(1, 1, 3, 3);
  built.Square(4, 1, 5, 2);
  built.Sector(0, 1);
  built.Sector(1, 1);
  built.Model("crate.3do", 0.5f);
  built.Template("crate", "type=cog model3d=crate.3do");
  built.Thing("crate", 6, 3);
  built.level().things[0].name = "Crate";
  auto level = std::make_unique<level::Level>();
  *level = built.level();
  return level;
}

std::filesystem::path WriteUserArchive(const std::filesystem::path& path,
                                       const std::vector<std::string>& jklNames) {
  GobBuilder builder;
  std::string cogStrings = "MSGS " + std::to_string(jklNames.size()) + "\r\n";
  float gravity = 1.0f;
  for (const auto& name : jklNames) {
    builder.Entry("jkl\\" + name, level::FormatLevel(*EditorTestLevel(gravity), "jkl\\test.jkl",
                                                     "2000-01-01 00:00"));
    gravity += 1.0f;
    const std::string key = level::ToUpperAscii(name.substr(0, name.size() - 4));
    cogStrings += "\"" + key + "\" 0 \"Level " + key + "\"\r\n";
  }
  cogStrings += "END\r\n";
  builder.Entry("episode.jk", "\"Test Episode\"\r\nTYPE 1\r\n");
  builder.Entry("misc\\cogstrings.uni", cogStrings);
  return builder.WriteTo(path);
}

}  // namespace kx::test
