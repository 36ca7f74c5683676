#pragma once

#include <string>
#include <string_view>

namespace kx::resources {

/// A text read line by line: an opened resource entry or, in tests and the tool, bytes in memory.
class LineSource {
 public:
  virtual ~LineSource() = default;
  virtual bool AtEnd() const = 0;
  /// The next line without its line end.
  virtual std::string ReadLine() = 0;
};

/// Lines of text in memory, split the way resource entries are read: LF ends a line and CR bytes
/// are dropped wherever they stand. The text must outlive the source.
class StringLineSource : public LineSource {
 public:
  explicit StringLineSource(std::string_view text) : m_text(text) {}
  bool AtEnd() const override { return m_position >= m_text.size(); }
  std::string ReadLine() override;

 private:
  std::string_view m_text;
  std::size_t m_position = 0;
};

}  // namespace kx::resources
