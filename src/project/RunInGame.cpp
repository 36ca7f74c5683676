#include "project/RunInGame.h"

#include "archive/GobWriter.h"
#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"

#include <string>
#include <system_error>

namespace kx::project {

namespace fs = std::filesystem;
using platform::BinaryFile;
using platform::CommandError;

namespace {

fs::path PackOpenProject(const ProjectValues& values) {
  if (values.ProjectDir.empty()) throw CommandError("No project is open");
  return archive::MakeGob(values.ProjectDir, values.GOB2Name);
}

}  // namespace

void CopyFileAtomically(const fs::path& source, const fs::path& target) {
  fs::path temporary = target;
  temporary += ".kxtmp";
  try {
    BinaryFile in(source, BinaryFile::Mode::Read);
    BinaryFile out(temporary, BinaryFile::Mode::Write);
    in.CopyTo(out, in.Size());
    out.Close();
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(target));
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
}

void GobProjectCommand(ProjectContext& context) {
  platform::BusyCursor busy(context.ui);
  PackOpenProject(context.values);
}

void RunProjectCommand(ProjectContext& context) {
  {
    platform::BusyCursor busy(context.ui);
    const fs::path archive = PackOpenProject(context.values);
    // Without the game's folder the episode folder would be taken relative to wherever the
    // program runs.
    if (context.values.JKDir.empty()) {
      throw CommandError::FileNotFound("episode\\" + context.values.GOB2Name +
                                       " (JKDir is not set in the [Directories] section of " +
                                       platform::DisplayPath(context.settings.Path()) + ")");
    }
    const fs::path episodeDir = platform::FindDirectoryIgnoringCase(context.values.JKDir, "episode")
                                    .value_or(context.values.JKDir / "episode");
    CopyFileAtomically(archive, episodeDir / context.values.GOB2Name);
  }
  context.ui.ShowMessage(platform::BoxKind::Information, std::string(kRunInGameMessage));
}

}  // namespace kx::project
