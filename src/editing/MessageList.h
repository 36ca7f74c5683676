#pragma once

#include "mapview/EditMode.h"

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kx::editing {

/// A record a message is about: the edit mode whose table holds it, and its index there.
struct RecordRef {
  mapview::EditMode mode = mapview::EditMode::Surface;
  int index = 0;
  bool operator==(const RecordRef&) const = default;
};

/// One entry of the Messages panel: its text, and the record it is about, if any.
struct MessageEntry {
  std::string text;
  std::optional<RecordRef> record;
  bool operator==(const MessageEntry&) const = default;
};

/// What the Messages panel lists for the current project open: the names that were not found
/// and the reader's notes, each once, in the order they came, then the problems the latest check
/// of the level found. A redraw that reports the same missing template again adds nothing.
class MessageList {
 public:
  /// Forgets every entry: each project open starts a list of its own.
  void Clear();
  /// Adds the entry unless the same text about the same record is listed; returns whether it
  /// was added.
  bool Add(MessageEntry entry);
  /// Puts the problems of the latest check in place of the previous check's, after what the
  /// open reported.
  void SetCheck(std::vector<MessageEntry> problems);
  const std::vector<MessageEntry>& Entries() const { return m_entries; }
  /// The record the entry at row is about; nothing for an entry about none or a row not listed.
  std::optional<RecordRef> RecordAt(int row) const;

 private:
  std::vector<MessageEntry> m_entries;
  std::vector<bool> m_fromCheck;                       // per entry
  std::set<std::tuple<std::string, int, int>> m_keys;  // text, mode (0: none), index
};

}  // namespace kx::editing
