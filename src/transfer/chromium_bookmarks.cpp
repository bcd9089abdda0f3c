#include "transfer/chromium_bookmarks.h"

#include <nlohmann/json.hpp>

#include <array>
#include <string>

#include "transfer/json_guard.h"

namespace velora::transfer {
namespace {

using Json = nlohmann::json;

constexpr std::array<const char*, 3> kRoots = {"bookmark_bar", "other", "synced"};

const std::string* StringField(const Json& node, const char* name) {
  const auto found = node.find(name);
  return found != node.end() && found->is_string() ? &found->get_ref<const std::string&>() : nullptr;
}

// Depth first without recursion: a stack of the folders' children still to visit.
void CollectUrls(const Json& root, std::vector<Bookmark>& out) {
  struct Pending {
    const Json* children;
    std::size_t next;
  };
  std::vector<Pending> stack;
  auto enter = [&](const Json& node) {
    const auto children = node.find("children");
    if (children != node.end() && children->is_array()) stack.push_back({&*children, 0});
  };
  if (root.is_object()) enter(root);
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == top.children->size()) {
      stack.pop_back();
      continue;
    }
    const Json& node = (*top.children)[top.next++];
    if (!node.is_object()) continue;
    const std::string* type = StringField(node, "type");
    if (!type) continue;
    if (*type == "url") {
      const std::string* url = StringField(node, "url");
      const std::string* name = StringField(node, "name");
      if (url) out.push_back({*url, name ? *name : std::string()});
    } else if (*type == "folder") {
      enter(node);  // may move the stack: `top` is not used after this
    }
  }
}

}  // namespace

std::optional<std::vector<Bookmark>> ParseChromiumBookmarks(std::string_view json, Refusal& refusal) {
  refusal = CheckJsonText(json);
  if (refusal != Refusal::kNone) return std::nullopt;
  const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
  const auto roots = document.is_object() ? document.find("roots") : document.end();
  if (roots == document.end() || !roots->is_object()) {
    refusal = Refusal::kNotBookmarks;
    return std::nullopt;
  }
  std::vector<Bookmark> bookmarks;
  for (const char* name : kRoots) {
    const auto root = roots->find(name);
    if (root != roots->end()) CollectUrls(*root, bookmarks);
  }
  return bookmarks;
}

TransferResult ImportChromiumBookmarks(store::Database& db, const std::filesystem::path& file,
                                       const BookmarkOptions& options) {
  Refusal refusal = Refusal::kNone;
  const std::optional<std::string> json = ReadJsonFile(file, refusal);
  if (!json) return Refused(refusal);
  const std::optional<std::vector<Bookmark>> bookmarks = ParseChromiumBookmarks(*json, refusal);
  if (!bookmarks) return Refused(refusal);
  return AddBookmarks(db, *bookmarks, options);
}

}  // namespace velora::transfer
