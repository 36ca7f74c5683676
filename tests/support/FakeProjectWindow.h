#pragma once

#include "project/ProjectWindow.h"

#include <string>
#include <vector>

namespace kx::test {

/// Records what the project commands asked of the main window, in order.
class FakeProjectWindow : public project::ProjectWindow {
 public:
  std::vector<std::string> calls;  // "BeforeProjectLoad", "ProjectOpened"

  void BeforeProjectLoad() override { calls.push_back("BeforeProjectLoad"); }
  void ProjectOpened() override { calls.push_back("ProjectOpened"); }
};

}  // namespace kx::test
