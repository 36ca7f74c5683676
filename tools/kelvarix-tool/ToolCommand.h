#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::tool {

/// One subcommand: `kelvarix-tool GROUP NAME ARGS...`.
struct ToolCommand {
  std::string_view group;
  std::string_view name;
  std::string_view usage;  // the arguments, as shown by --help: "FILE", "IN OUT", ...
  std::string_view help;   // what it does, a few lines
  /// Runs with the arguments after NAME; returns the exit status. Errors are reported on stderr
  /// by the caller when run throws.
  int (*run)(const std::vector<std::string>& args);
};

using CommandList = std::vector<ToolCommand>;

/// Whether args asks for help (-h or --help anywhere).
bool WantsHelp(const std::vector<std::string>& args);

}  // namespace kx::tool
