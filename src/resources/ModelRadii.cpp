#include "resources/ModelRadii.h"

#include "archive/GobEntry.h"
#include "platform/MessageBatch.h"
#include "resources/ModelRadius.h"
#include "resources/ResourceLookup.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kx::resources {

void Parse3DOs(level::Level& level, const std::filesystem::path& projectDir,
               const std::filesystem::path& res2Path, platform::Ui& ui) {
  const int count = level.models.Used();
  // Without the game's folder every model of a level may be missing: one box names them all,
  // shown once the progress window is gone, rather than one box to confirm per model.
  std::vector<std::string> missing;
  {
    platform::BusyCursor busy(ui);
    platform::ProgressSession progress(ui, "Parsing 3DO files...",
                                       "Parsing: ", std::max(0, count - 1));
    for (int i = 0; i < count; ++i) {
      level::Model& model = level.models[i];
      ui.ProgressSetItem(model.name);
      ui.ProgressSetPosition(i);
      ui.ProcessEvents();

      archive::TGobEntry entry;
      archive::OpenGobEntry(entry, "3do\\" + model.name, projectDir, res2Path);
      bool readable = false;
      if (entry.start != -1) {
        // A probe of one byte: an entry that exists but cannot be read counts as missing.
        archive::RewindGobEntry(entry);
        char probe = 0;
        readable = entry.start != -1 && archive::GobReadBytes(entry, &probe, 1) == 1;
        if (readable) archive::RewindGobEntry(entry);
        readable = readable && entry.start != -1;
      }
      if (!readable) {
        archive::CloseGobEntry(entry);
        ui.Note("Can't find " + model.name + " in Parse3DOs");
        missing.push_back(model.name);
        continue;
      }
      GobLineSource lines(entry);
      if (const auto radius = Read3DORadius(lines)) model.radius = *radius;
      archive::CloseGobEntry(entry);
    }
  }
  if (missing.empty()) return;
  ui.ShowMessage(platform::BoxKind::Plain,
                 "Can't find " + platform::JoinForBox(missing, ", ") + "\r in Parse3DOs");
}

}  // namespace kx::resources
