#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "JklCommands.h"
#include "ResourceCommands.h"
#include "ToolCommand.h"
#include "platform/CommandError.h"

namespace kx::tool {

CommandList GobCommands();
CommandList MapCommands();
CommandList PreviewCommands();
CommandList ProjectCommands();

bool WantsHelp(const std::vector<std::string>& args) {
  for (const auto& arg : args) {
    if (arg == "-h" || arg == "--help") return true;
  }
  return false;
}

namespace {

// Each group of subcommands lives in a file of its own; this list joins them.
CommandList AllCommands() {
  CommandList all;
  for (auto group : std::vector<CommandList (*)()>{JklCommands, GobCommands, ResourceCommands,
                                                   MapCommands, ProjectCommands,
                                                   PreviewCommands}) {
    auto commands = group();
    all.insert(all.end(), commands.begin(), commands.end());
  }
  return all;
}

void PrintUsage(std::ostream& out, const CommandList& commands) {
  out << "Usage: kelvarix-tool GROUP COMMAND [ARGS...]\n"
         "Reads and writes Jedi Knight level files, archives and resources with the same code\n"
         "as the Kelvarix editor. Errors go to stderr with exit status 1.\n\n"
         "Commands:\n";
  for (const auto& command : commands) {
    out << "  " << command.group << ' ' << command.name << ' ' << command.usage << '\n';
  }
  out << "\n`kelvarix-tool GROUP COMMAND --help` describes one command.\n";
}

void PrintCommandHelp(std::ostream& out, const ToolCommand& command) {
  out << "Usage: kelvarix-tool " << command.group << ' ' << command.name << ' ' << command.usage
      << "\n\n"
      << command.help << '\n';
}

int Run(const std::vector<std::string>& args) {
  const CommandList commands = AllCommands();
  if (args.empty() || args[0] == "-h" || args[0] == "--help") {
    PrintUsage(args.empty() ? std::cerr : std::cout, commands);
    return args.empty() ? 1 : 0;
  }
  bool groupKnown = false;
  for (const auto& command : commands) {
    if (command.group != args[0]) continue;
    groupKnown = true;
    if (args.size() < 2 || command.name != args[1]) continue;
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    if (WantsHelp(rest)) {
      PrintCommandHelp(std::cout, command);
      return 0;
    }
    return command.run(rest);
  }
  if (groupKnown && (args.size() < 2 || args[1] == "--help" || args[1] == "-h")) {
    const bool asked = args.size() >= 2;
    auto& out = asked ? std::cout : std::cerr;
    out << "Commands of " << args[0] << ":\n";
    for (const auto& command : commands) {
      if (command.group == args[0]) PrintCommandHelp(out, command);
    }
    return asked ? 0 : 1;
  }
  std::cerr << "kelvarix-tool: unknown command '" << args[0]
            << (args.size() >= 2 ? " " + args[1] : std::string()) << "'\n";
  PrintUsage(std::cerr, commands);
  return 1;
}

}  // namespace
}  // namespace kx::tool

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return kx::tool::Run(args);
  } catch (const kx::platform::CommandError& error) {
    std::cerr << error.FullText() << '\n';
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
  }
  return 1;
}
