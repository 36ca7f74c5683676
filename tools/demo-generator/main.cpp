#include "DemoFiles.h"

#include "platform/CommandError.h"

#include <exception>
#include <iostream>

// kelvarix-demo OUTPUT_DIR: writes the demo game folder and level archive (see WriteDemo).
int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: kelvarix-demo OUTPUT_DIR\n"
                 "Writes OUTPUT_DIR/game/resource/res2.gob, OUTPUT_DIR/game/episode/ and\n"
                 "OUTPUT_DIR/DemoStation.gob: a small game folder and a level made in code.\n";
    return 1;
  }
  try {
    kx::demo::WriteDemo(argv[1]);
    return 0;
  } catch (const kx::platform::CommandError& error) {
    std::cerr << "kelvarix-demo: " << error.FullText() << '\n';
  } catch (const std::exception& error) {
    std::cerr << "kelvarix-demo: " << error.what() << '\n';
  }
  return 1;
}
