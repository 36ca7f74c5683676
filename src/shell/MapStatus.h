#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace kx::shell {

/// The status bar's fields of the map and the commands: the level point under the pointer
/// (barPointer, described "Pointer position"), the scale (barScale, described "Scale"), the grid
/// step beside it (barGrid, described "Grid step") and the note of the last command that wrote
/// something (barNote).
class MapStatus final : public QObject {
  Q_OBJECT

 public:
  /// Adds the fields to bar, after what it holds.
  explicit MapStatus(QStatusBar* bar);

  /// The pointer's two coordinates, or an empty field when the pointer is off the map.
  void ShowPointer(const QString& text);
  void ShowScale(const QString& text);
  void ShowGrid(const QString& text);
  void ShowNote(const QString& text);

 private:
  QLabel* m_pointer;
  QLabel* m_scale;
  QLabel* m_grid;
  QLabel* m_note;
};

}  // namespace kx::shell
