#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kx::test {

/// What one run of the built kelvarix-tool gave.
struct ToolResult {
  int status = -1;  // the exit status, -1 when the program did not exit normally
  std::string out;
  std::string err;
};

/// Runs kelvarix-tool at toolPath with args (each passed as one argument); its output is caught
/// in files under scratch.
ToolResult RunTool(const std::filesystem::path& toolPath, const std::vector<std::string>& args,
                   const std::filesystem::path& scratch);

}  // namespace kx::test
