#include "transfer/catalogue_json.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>

#include "store/groups.h"
#include "text/base64.h"
#include "text/hex.h"
#include "text/path_code.h"
#include "transfer/json_guard.h"

namespace velora::transfer {
namespace {

using Json = nlohmann::json;
// Keeps the fields in the order written, so "format" and "version" come first.
using OrderedJson = nlohmann::ordered_json;

namespace key {
constexpr const char* kFormat = "format";
constexpr const char* kVersion = "version";
constexpr const char* kCategories = "categories";
constexpr const char* kSettings = "settings";
constexpr const char* kName = "name";
constexpr const char* kItems = "items";
constexpr const char* kCode = "code";
constexpr const char* kFile = "file";
constexpr const char* kKind = "kind";
constexpr const char* kDate = "date";
constexpr const char* kPath = "path";
constexpr const char* kIcon = "icon";
constexpr const char* kIconText = "icon_text";
constexpr const char* kPosition = "position";
constexpr const char* kClass = "class";
constexpr const char* kBytes = "bytes";
}  // namespace key

// RFC 3629: no overlong forms, no surrogates, nothing past U+10FFFF. JSON can carry only this.
bool IsStrictUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (s.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

// Hex as the program writes icons and thumbnails: upper-case digits, two per byte.
bool IsWrittenHex(std::string_view s) {
  return s.size() % 2 == 0 && s.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

// A code the program would make from the path it holds.
std::optional<std::string> PathOfPlainCode(std::string_view code) {
  if (code.size() != text::kPathCodeDigits) return std::nullopt;
  std::string path = text::PathFromCode(code);
  if (text::PathCode(path) != code) return std::nullopt;
  return path;
}

OrderedJson TextValue(const std::optional<std::string>& text) {
  if (!text) return nullptr;
  if (IsStrictUtf8(*text)) return *text;
  OrderedJson bytes = OrderedJson::object();
  bytes[key::kBytes] = text::Base64Encode(*text);
  return bytes;
}

OrderedJson PathValue(const std::optional<std::string>& path, const Roots& roots) {
  if (!path || !IsStrictUtf8(*path)) return TextValue(path);
  return PathForFile(*path, roots);
}

OrderedJson ItemJson(const CatalogueRow& row, const Roots& roots) {
  OrderedJson item = OrderedJson::object();
  const std::optional<std::string> file_path = row.code ? PathOfPlainCode(*row.code) : std::nullopt;
  if (file_path) {
    item[key::kFile] = PathForFile(*file_path, roots);
  } else {
    item[key::kCode] = TextValue(row.code);
  }
  item[key::kName] = TextValue(row.name);
  item[key::kKind] = TextValue(row.suffix);
  item[key::kDate] = TextValue(row.date);
  item[key::kPath] = PathValue(row.path, roots);
  if (!row.icon) {
    item[key::kIcon] = nullptr;
  } else if (IsWrittenHex(*row.icon)) {
    item[key::kIcon] = text::Base64Encode(text::HexDecodeLenient(*row.icon));
  } else {
    item[key::kIconText] = TextValue(row.icon);
  }
  if (row.position) item[key::kPosition] = TextValue(row.position);
  if (row.classification) item[key::kClass] = TextValue(row.classification);
  return item;
}

// Reads the document's fields and keeps the first fault it meets.
class Reader {
 public:
  explicit Reader(const Roots& roots) : roots_(roots) {}

  bool failed() const { return !fault_.empty(); }
  const std::string& fault() const { return fault_; }
  std::size_t left_out() const { return left_out_; }

  // A string, null, or {"bytes": Base64}.
  std::optional<std::string> Text(const Json& value, std::string_view what) {
    if (value.is_null()) return std::nullopt;
    if (value.is_string()) return value.get<std::string>();
    if (value.is_object() && value.size() == 1 && value.contains(key::kBytes) &&
        value[key::kBytes].is_string()) {
      if (std::optional<std::string> bytes =
              text::Base64Decode(value[key::kBytes].get_ref<const std::string&>())) {
        return bytes;
      }
    }
    Fail(std::string(what) + " 的值不对");
    return std::nullopt;
  }

  std::optional<std::string> Field(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found == object.end() ? std::nullopt : Text(*found, name);
  }

  // As PathValue wrote it: only a path written as a string can hold a placeholder.
  std::optional<std::string> PathText(const Json& value, std::string_view what) {
    if (value.is_string()) return PathFromFile(value.get_ref<const std::string&>(), roots_);
    return Text(value, what);
  }

  std::optional<std::string> PathField(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found == object.end() ? std::nullopt : PathText(*found, name);
  }

  // Nothing when the item is left out (a fault, or a path too long here).
  std::optional<CatalogueRow> Item(const Json& item) {
    if (!item.is_object()) {
      Fail("不是一个项目");
      return std::nullopt;
    }
    CatalogueRow row;
    const bool has_code = item.contains(key::kCode);
    const bool has_file = item.contains(key::kFile);
    if (has_code == has_file) {
      Fail("应有 code 或 file 之一");
      return std::nullopt;
    }
    if (has_file) {
      if (!item[key::kFile].is_string()) {
        Fail("file 的值不对");
        return std::nullopt;
      }
      const std::string path = PathFromFile(item[key::kFile].get_ref<const std::string&>(), roots_);
      if (!text::FitsPathBuffer(path)) {
        ++left_out_;
        return std::nullopt;
      }
      row.code = text::PathCode(path);
    } else {
      row.code = Field(item, key::kCode);
    }
    row.name = Field(item, key::kName);
    row.suffix = Field(item, key::kKind);
    row.date = Field(item, key::kDate);
    row.path = PathField(item, key::kPath);
    row.position = Field(item, key::kPosition);
    row.classification = Field(item, key::kClass);
    const bool has_icon = item.contains(key::kIcon) && !item[key::kIcon].is_null();
    if (has_icon && item.contains(key::kIconText)) {
      Fail("icon 与 icon_text 只能有一个");
    } else if (has_icon) {
      const Json& icon = item[key::kIcon];
      std::optional<std::string> bytes =
          icon.is_string() ? text::Base64Decode(icon.get_ref<const std::string&>()) : std::nullopt;
      if (bytes) {
        row.icon = text::HexEncode(*bytes);
      } else {
        Fail("icon 不是 Base64");
      }
    } else {
      row.icon = Field(item, key::kIconText);
    }
    if (failed()) return std::nullopt;
    return row;
  }

  std::optional<CatalogueCategory> Category(const Json& category) {
    if (!category.is_object() || !category.contains(key::kName) || !category.contains(key::kItems)) {
      Fail("应有 name 和 items");
      return std::nullopt;
    }
    std::optional<std::string> name = Text(category[key::kName], key::kName);
    if (failed()) return std::nullopt;
    if (!name || !store::IsAcceptableGroupName(*name) || IsReservedName(*name)) {
      Fail("名称不能用作分组名");
      return std::nullopt;
    }
    const Json& items = category[key::kItems];
    if (!items.is_array()) {
      Fail("items 不是列表");
      return std::nullopt;
    }
    CatalogueCategory out{std::move(*name), {}};
    out.rows.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      std::optional<CatalogueRow> row = Item(items[i]);
      if (failed()) {
        Locate("“" + out.name + "”的第 " + std::to_string(i + 1) + " 项");
        return std::nullopt;
      }
      if (row) out.rows.push_back(std::move(*row));
    }
    return out;
  }

  void Settings(const Json& settings, SettingsMap& out) {
    if (!settings.is_object()) return Fail("settings 不是对象");
    for (const auto& [section, keys] : settings.items()) {
      if (!keys.is_object()) return Fail("settings 的“" + section + "”不是对象");
      for (const auto& [name, value] : keys.items()) {
        std::string what = "settings 的“";
        what.append(section).append("”中“").append(name).append("”");
        std::optional<std::string> text = PathText(value, what);
        if (failed()) return;
        if (text) out[section][name] = std::move(*text);
      }
    }
  }

  void Fail(std::string fault) {
    if (fault_.empty()) fault_ = std::move(fault);
  }

  // Says where a fault was found, outermost first.
  void Locate(const std::string& where) {
    if (failed()) fault_ = where + (fault_.starts_with("“") ? "" : "：") + fault_;
  }

 private:
  // SQLite keeps these names for itself.
  static bool IsReservedName(std::string_view name) {
    constexpr std::string_view kReserved = "sqlite_";
    if (name.size() < kReserved.size()) return false;
    for (std::size_t i = 0; i < kReserved.size(); ++i) {
      const char c = name[i];
      if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kReserved[i]) return false;
    }
    return true;
  }

  const Roots& roots_;
  std::string fault_;
  std::size_t left_out_ = 0;
};

}  // namespace

std::string CatalogueToJson(const Catalogue& catalogue, const Roots& roots) {
  OrderedJson document = OrderedJson::object();
  document[key::kFormat] = kCatalogueFormat;
  document[key::kVersion] = kCatalogueVersion;
  OrderedJson& categories = document[key::kCategories] = OrderedJson::array();
  for (const CatalogueCategory& category : catalogue.categories) {
    OrderedJson entry = OrderedJson::object();
    entry[key::kName] = TextValue(category.name);
    OrderedJson& items = entry[key::kItems] = OrderedJson::array();
    for (const CatalogueRow& row : category.rows) items.push_back(ItemJson(row, roots));
    categories.push_back(std::move(entry));
  }
  OrderedJson& settings = document[key::kSettings] = OrderedJson::object();
  for (const auto& [section, keys] : catalogue.settings) {
    OrderedJson& entries = settings[section] = OrderedJson::object();
    for (const auto& [name, value] : keys) entries[name] = PathValue(value, roots);
  }
  // Settings names come from the settings file, always UTF-8; should one not be, it is replaced
  // rather than failing the whole copy.
  return document.dump(1, ' ', false, OrderedJson::error_handler_t::replace);
}

ParsedCatalogue ParseCatalogueJson(std::string_view json, const Roots& roots) {
  ParsedCatalogue parsed;
  if (const Refusal refusal = CheckJsonText(json); refusal != Refusal::kNone) {
    parsed.result = Refused(refusal);
    return parsed;
  }
  const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
  if (document.is_discarded()) {
    parsed.result = Refused(Refusal::kMalformed);
    return parsed;
  }
  const auto format = document.is_object() ? document.find(key::kFormat) : document.end();
  if (format == document.end() || !format->is_string() ||
      format->get_ref<const std::string&>() != kCatalogueFormat) {
    parsed.result = Refused(Refusal::kNotCatalogue);
    return parsed;
  }
  // JSON reads a whole number that is not negative as unsigned.
  const auto version = document.find(key::kVersion);
  if (version == document.end() || !version->is_number_unsigned() || version->get<std::uint64_t>() < 1) {
    parsed.result = Refused(Refusal::kNotCatalogue);
    return parsed;
  }
  if (version->get<std::uint64_t>() > kCatalogueVersion) {
    parsed.result = Refused(Refusal::kNewerVersion);
    return parsed;
  }

  Reader reader(roots);
  const auto categories = document.find(key::kCategories);
  if (categories == document.end() || !categories->is_array()) {
    reader.Fail("缺少 categories 列表");
  } else {
    for (std::size_t i = 0; i < categories->size() && !reader.failed(); ++i) {
      std::optional<CatalogueCategory> category = reader.Category((*categories)[i]);
      if (category) parsed.catalogue.categories.push_back(std::move(*category));
      reader.Locate("第 " + std::to_string(i + 1) + " 个分组");
    }
  }
  const auto settings = document.find(key::kSettings);
  if (!reader.failed() && settings != document.end()) reader.Settings(*settings, parsed.catalogue.settings);
  if (reader.failed()) {
    parsed.catalogue = {};
    parsed.result = Refused(Refusal::kBadContent, reader.fault());
    return parsed;
  }
  parsed.result.left_out = reader.left_out();
  return parsed;
}

}  // namespace velora::transfer
