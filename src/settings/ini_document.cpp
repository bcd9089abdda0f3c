#include "settings/ini_document.h"

#include <algorithm>
#include <utility>

#include "text/gbk.h"
#include "text/utf.h"

namespace velora::settings {
namespace {

// The profile functions trim these (0x1A is a DOS end-of-file mark).
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The text is UTF-8 here, so folding ASCII letters never touches part of a Chinese character.
bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return fold(x) == fold(y);
  });
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquote(std::string_view raw) {
  raw = Trim(raw);
  if (raw.size() >= 2 && IsQuote(raw.front()) && raw.back() == raw.front()) {
    raw.remove_prefix(1);
    raw.remove_suffix(1);
  }
  return raw;
}

// The stored form that reads back as exactly `value`.
std::string Quote(std::string_view value) {
  std::string clean(value);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const bool altered_by_reading =
      !clean.empty() && (IsBlank(clean.front()) || IsBlank(clean.back()) ||
                         (clean.size() >= 2 && IsQuote(clean.front()) && clean.back() == clean.front()));
  return altered_by_reading ? '"' + clean + '"' : clean;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The file is GBK, but a user may have saved it from an editor as Unicode with a byte-order
// mark; the profile functions honour the mark, and so do we. The next save writes GBK again.
std::string DecodeFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) {
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return text::Utf16ToUtf8(units);
  }
  return text::GbkToUtf8(bytes);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view gbk_bytes) {
  IniDocument doc;
  const std::string text = DecodeFile(gbk_bytes);
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\r\n");
    std::string_view line = Trim(rest.substr(0, end));
    if (end == std::string_view::npos) {
      rest = {};
    } else {
      rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close != std::string_view::npos) {
        doc.sections_.push_back({std::string(Trim(line.substr(1, close - 1))), true, {}});
        continue;
      }
    }
    if (doc.sections_.empty()) doc.sections_.push_back({"", false, {}});
    Line entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.key = std::string(line);
    } else {
      entry.key = std::string(Trim(line.substr(0, equals)));
      entry.raw = std::string(line.substr(equals + 1));
    }
    doc.sections_.back().lines.push_back(std::move(entry));
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string text;
  for (const Section& section : sections_) {
    if (section.has_header) {
      if (!text.empty()) text += "\r\n";
      text += '[' + section.name + "]\r\n";
    }
    for (const Line& line : section.lines) {
      text += line.key;
      if (line.raw) text += '=' + *line.raw;
      text += "\r\n";
    }
  }
  std::string bytes = text::Utf8ToGbk(text);
  // Some Chinese text at the very start is, in GBK, the UTF-8 byte-order mark: an empty first
  // line keeps the next reading from taking the file for UTF-8.
  if (bytes.starts_with(kUtf8Mark)) bytes.insert(0, "\r\n");
  return bytes;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (section.has_header && SameName(section.name, name)) return &section;
  }
  return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  for (const Line& line : found->lines) {
    if (line.raw && SameName(line.key, key)) return std::string(Unquote(*line.raw));
  }
  return std::nullopt;
}

std::vector<IniDocument::Entry> IniDocument::Entries() const {
  std::vector<Entry> entries;
  for (const Section& section : sections_) {
    if (!section.has_header || FindSection(section.name) != &section) continue;
    for (auto line = section.lines.begin(); line != section.lines.end(); ++line) {
      if (!line->raw || line->key.empty()) continue;
      const bool hidden = std::any_of(section.lines.begin(), line, [&](const Line& earlier) {
        return earlier.raw && SameName(earlier.key, line->key);
      });
      if (!hidden) entries.push_back({section.name, line->key, std::string(Unquote(*line->raw))});
    }
  }
  return entries;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view clean_key = Trim(key);
  if (section.empty() || Trim(section) != section || HasLineBreak(section) ||
      section.find(']') != std::string_view::npos || clean_key.empty() || clean_key != key ||
      HasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
      key.front() == ';') {
    return false;
  }
  Section* found = FindSection(section);
  if (!found) {
    sections_.push_back({std::string(section), true, {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (line.raw && SameName(line.key, key)) {
      line.raw = Quote(value);
      return true;
    }
  }
  found->lines.push_back({std::string(key), Quote(value)});
  return true;
}

}  // namespace velora::settings
