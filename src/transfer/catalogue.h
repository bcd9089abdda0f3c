#pragma once
// The catalogue as a one-file copy carries it: every category and group in the bar's order, each
// with its rows in list order, and the keys of the settings file.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velora::transfer {

// Every column of a category row, nullopt for NULL, so a copy gives back the very rows it took.
struct CatalogueRow {
  std::optional<std::string> code;
  std::optional<std::string> path;            // 路径
  std::optional<std::string> name;            // 名称
  std::optional<std::string> position;        // 位置: the program never writes it
  std::optional<std::string> classification;  // 类别: nor this
  std::optional<std::string> suffix;          // 后缀
  std::optional<std::string> icon;            // 图标
  std::optional<std::string> date;            // 日期

  bool operator==(const CatalogueRow&) const = default;
};

struct CatalogueCategory {
  std::string name;
  std::vector<CatalogueRow> rows;

  bool operator==(const CatalogueCategory&) const = default;
};

// Section, key, value.
using SettingsMap = std::map<std::string, std::map<std::string, std::string>>;

struct Catalogue {
  std::vector<CatalogueCategory> categories;
  SettingsMap settings;

  bool operator==(const Catalogue&) const = default;
};

}  // namespace velora::transfer
