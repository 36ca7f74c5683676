#include "CommandLevel.h"

#include "level/JklReader.h"
#include "platform/FileIo.h"

#include <iostream>

namespace kx::tool {

CommandLevel ReadCommandLevel(const std::filesystem::path& path, platform::Ui& ui) {
  CommandLevel read{std::make_unique<level::Level>()};
  read.complete = level::ReadLevel(*read.level, path, path.filename().string(), ui) ==
                  level::ParseOutcome::Complete;
  return read;
}

void ReportIncompleteRead(const std::filesystem::path& path) {
  std::cerr << platform::DisplayPath(path)
            << " was not read completely: the notes above say what was left out\n";
}

int StatusAfterRead(const CommandLevel& read, const std::filesystem::path& path) {
  if (read.complete) return 0;
  ReportIncompleteRead(path);
  return 1;
}

}  // namespace kx::tool
