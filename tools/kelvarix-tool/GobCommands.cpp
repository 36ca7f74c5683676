#include "ConsoleUi.h"
#include "ToolCommand.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "archive/GobEntry.h"
#include "archive/GobWriter.h"
#include "archive/Ungob.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace kx::tool {

namespace {

void RequireArguments(const std::vector<std::string>& args, std::size_t count, const char* usage) {
  if (args.size() != count) {
    throw std::runtime_error(std::string("Usage: kelvarix-tool gob ") + usage);
  }
}

int List(const std::vector<std::string>& args) {
  RequireArguments(args, 1, "list ARCHIVE");
  archive::ForEachGobEntry(args[0], [](const archive::GobDirectoryEntry& entry) {
    std::cout << archive::PrintableEntryName(entry.name) << '\t' << entry.size << '\t'
              << entry.offset << '\n';
  });
  return 0;
}

int Extract(const std::vector<std::string>& args) {
  RequireArguments(args, 2, "extract ARCHIVE DIR");
  ConsoleUi ui;
  return archive::Ungob(args[0], args[1], ui) ? 0 : 1;
}

int Pack(const std::vector<std::string>& args) {
  RequireArguments(args, 2, "pack DIR ARCHIVE");
  // An archive written inside the folder is not packed into itself on the next run.
  archive::WriteGob(archive::CollectGobFiles(args[0], args[1]), args[1]);
  return 0;
}

int Cat(const std::vector<std::string>& args) {
  RequireArguments(args, 2, "cat ARCHIVE NAME");
  archive::TGobEntry entry;
  archive::OpenGobEntry(entry, args[1], {}, args[0]);
  if (entry.start == -1) {
    std::cerr << "No entry " << args[1] << " in " << args[0] << '\n';
    return 1;
  }
  archive::RewindGobEntry(entry);
  if (entry.start == -1) throw std::runtime_error("Cannot open " + args[0]);
  char block[64000];
  std::int64_t written = 0;
  while (std::size_t n = archive::GobReadBytes(entry, block, sizeof(block))) {
    if (std::fwrite(block, 1, n, stdout) != n) throw std::runtime_error("Cannot write the output");
    written += static_cast<std::int64_t>(n);
  }
  if (std::fflush(stdout) != 0) throw std::runtime_error("Cannot write the output");
  if (written != archive::GobEntrySize(entry)) {
    throw std::runtime_error("Read beyond end of file\n" + args[0]);
  }
  return 0;
}

}  // namespace

CommandList GobCommands() {
  return {
      {"gob", "list", "ARCHIVE",
       "Lists the archive's directory in order, one entry a line: name, size and data offset,\n"
       "separated by tabs. Control characters and % in a name are shown as % and two\n"
       "hexadecimal digits (a tab as %09), so that every entry takes one line.",
       List},
      {"gob", "extract", "ARCHIVE DIR",
       "Extracts every entry into DIR, creating the entries' folders. \".GOB\" is added to an\n"
       "archive name without a dot. Damaged archives, unsafe names (control characters, absolute\n"
       "paths, \"..\") and names that clash (a file \"a\" beside \"a\\b.txt\") are refused before\n"
       "anything is written.",
       Extract},
      {"gob", "pack", "DIR ARCHIVE",
       "Packs every file below DIR into ARCHIVE, sorted by name, leaving out folders named gob.\n"
       "The archive is written to a temporary file and renamed when complete.",
       Pack},
      {"gob", "cat", "ARCHIVE NAME",
       "Writes the bytes of the first entry whose name matches NAME (case and padding\n"
       "ignored; backslash separators) to stdout. Exit status 1 when none matches.",
       Cat},
  };
}

}  // namespace kx::tool
