#include "support/ToolRun.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace kx::test {

namespace {

// One argument for the shell, whatever it holds.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ToolResult RunTool(const std::filesystem::path& toolPath, const std::vector<std::string>& args,
                   const std::filesystem::path& scratch) {
  std::string command = Quoted(toolPath.string());
  for (const auto& arg : args) command += " " + Quoted(arg);
  const auto out = scratch / "tool-stdout.txt";
  const auto err = scratch / "tool-stderr.txt";
  const int raw =
      std::system((command + " >" + Quoted(out.string()) + " 2>" + Quoted(err.string())).c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
}

}  // namespace kx::test
