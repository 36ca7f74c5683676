#pragma once

#include "DemoFiles.h"
#include "support/TempDir.h"

#include <filesystem>

namespace kx::demo::test {

/// The demo as the generator writes it, made once per test program in a temporary folder.
inline const std::filesystem::path& GeneratedDemo() {
  static const kx::test::TempDir dir;
  static const auto output = [] {
    WriteDemo(dir.path() / "demo");
    return dir.path() / "demo";
  }();
  return output;
}

}  // namespace kx::demo::test
