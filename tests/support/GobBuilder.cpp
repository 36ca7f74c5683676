#include "support/GobBuilder.h"

#include <fstream>
#include <stdexcept>

namespace kx::test {

static void PutLittleEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

GobBuilder& GobBuilder::Entry(std::string_view name, std::string_view data) {
  return RawNameEntry(std::string(name), data);
}

GobBuilder& GobBuilder::RawNameEntry(const std::string& nameField, std::string_view data) {
  std::string field = nameField;
  field.resize(128, '\0');
  m_items.push_back({field, std::string(data), std::nullopt, std::nullopt});
  return *this;
}

GobBuilder& GobBuilder::WithOffset(std::int32_t offset) {
  m_items.back().offset = offset;
  return *this;
}

GobBuilder& GobBuilder::WithSize(std::int32_t size) {
  m_items.back().size = size;
  return *this;
}

GobBuilder& GobBuilder::DirectoryOffset(std::int32_t offset) {
  m_directoryOffset = offset;
  return *this;
}

GobBuilder& GobBuilder::Count(std::int32_t count) {
  m_count = count;
  return *this;
}

std::string GobBuilder::Bytes() const {
  std::string out = "GOB ";
  PutLittleEndian32(out, 0x14);
  PutLittleEndian32(out, static_cast<std::uint32_t>(m_directoryOffset.value_or(12)));
  const auto count = static_cast<std::uint32_t>(m_items.size());
  PutLittleEndian32(out, static_cast<std::uint32_t>(m_count.value_or(static_cast<int>(count))));
  std::uint32_t offset = 16 + count * 136;
  for (const auto& item : m_items) {
    PutLittleEndian32(out, static_cast<std::uint32_t>(item.offset.value_or(offset)));
    PutLittleEndian32(out, static_cast<std::uint32_t>(
                               item.size.value_or(static_cast<std::int32_t>(item.data.size()))));
    out += item.nameField;
    offset += static_cast<std::uint32_t>(item.data.size());
  }
  for (const auto& item : m_items) out += item.data;
  return out;
}

std::filesystem::path GobBuilder::WriteTo(const std::filesystem::path& path) const {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  const std::string bytes = Bytes();
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path;
}

}  // namespace kx::test
