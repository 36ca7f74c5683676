#pragma once

namespace kx::project {

/// What the project commands ask of the main window around loading a project.
class ProjectWindow {
 public:
  virtual ~ProjectWindow() = default;

  /// Before a project is loaded: every vertex, surface, sector and thing becomes unselected
  /// and visible, and the selection counter is refreshed.
  virtual void BeforeProjectLoad() = 0;
  /// After a project was loaded: the project commands and tool buttons are enabled, the top
  /// view and the surface mode are chosen as their menu commands do, and the map is redrawn.
  virtual void ProjectOpened() = 0;
};

}  // namespace kx::project
