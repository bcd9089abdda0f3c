#pragma once
// The settings file in memory: sections of key=value lines, read and written as GBK bytes with
// CRLF line ends, independent of the system's code page. Reading follows the Windows profile
// functions (trimmed keys and values, first match wins, letter case of ASCII ignored, matching
// outer quotes dropped), so files written by them read the same; writing keeps every line it
// does not change and quotes a value only where a reader would otherwise alter it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::settings {

class IniDocument {
 public:
  // Never fails: lines that are neither a section nor a key are kept as they are.
  static IniDocument Parse(std::string_view gbk_bytes);
  std::string Serialize() const;

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  struct Entry {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const Entry&) const = default;
  };
  // Every key that Get finds, with the value it reads, in file order: a key or a section hidden
  // by an earlier one of the same name is left out, as are lines before the first section.
  std::vector<Entry> Entries() const;
  // False when the name cannot be stored (empty, a line break, or "=" in a key, "]" in a
  // section). A value's line breaks become spaces, so no value can start a line of its own.
  [[nodiscard]] bool Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string key;                 // the whole line when it has no "="
    std::optional<std::string> raw;  // the text after "=", as stored
  };
  struct Section {
    std::string name;
    bool has_header = true;  // false for lines before the first section
    std::vector<Line> lines;
  };

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);

  std::vector<Section> sections_;
};

}  // namespace velora::settings
