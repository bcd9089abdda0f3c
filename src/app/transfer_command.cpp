#include "app/transfer_command.h"

#include <charconv>

#include "text/fs_path.h"
#include "transfer/catalogue_export.h"
#include "transfer/catalogue_import.h"
#include "transfer/transfer_words.h"

namespace velora::app {
namespace {

// "/export", "-EXPORT" and the like, as the switch's name in lower case; empty for other words.
std::string SwitchName(std::string_view word) {
  if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return {};
  std::string name(word.substr(1));
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

std::string_view VerbWord(TransferVerb verb) {
  switch (verb) {
    case TransferVerb::kExport:
      return "export";
    case TransferVerb::kMerge:
      return "merge";
    case TransferVerb::kReplace:
      return "replace";
  }
  return {};
}

std::optional<TransferVerb> VerbOf(std::string_view word) {
  for (const TransferVerb verb : {TransferVerb::kExport, TransferVerb::kMerge, TransferVerb::kReplace}) {
    if (word == VerbWord(verb)) return verb;
  }
  return std::nullopt;
}

// Splits at the first `count` line feeds; the last part keeps any further ones.
std::optional<std::vector<std::string_view>> Lines(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> parts;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    parts.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
  }
  parts.push_back(bytes);
  return parts;
}

std::optional<unsigned long long> Number(std::string_view text) {
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

ParsedCommand ParseTransferCommand(const std::vector<std::string>& arguments) {
  ParsedCommand parsed;
  if (arguments.empty()) return parsed;
  const std::string verb = SwitchName(arguments[0]);
  if (verb != "export" && verb != "import") return parsed;
  parsed.misused = true;
  if (arguments.size() < 2 || arguments[1].empty() || !SwitchName(arguments[1]).empty()) return parsed;
  TransferRequest request{verb == "export" ? TransferVerb::kExport : TransferVerb::kMerge, arguments[1]};
  if (arguments.size() == 3 && verb == "import" && SwitchName(arguments[2]) == "replace") {
    request.verb = TransferVerb::kReplace;
  } else if (arguments.size() != 2) {
    return parsed;
  }
  parsed.misused = false;
  parsed.request = std::move(request);
  return parsed;
}

TransferReply RunTransfer(store::Database& db, const TransferRequest& request, const TransferPlaces& places,
                          const std::function<bool()>& back_up) {
  const std::filesystem::path file = text::PathFromUtf8(request.file);
  if (request.verb == TransferVerb::kExport) {
    const std::optional<std::size_t> items =
        transfer::ExportToFile(db, transfer::ReadSettingsFile(places.settings_file), places.roots, file);
    return {items.has_value(), transfer::ExportText(items)};
  }
  const bool replace = request.verb == TransferVerb::kReplace;
  if (replace && !back_up()) return {false, std::string(kBackupFailedNothingImported)};
  const transfer::CatalogueImport import = transfer::ImportCatalogueFile(
      db, file, replace ? transfer::ImportMode::kReplace : transfer::ImportMode::kMerge, places.roots);
  // The items are in: settings the file could not be merged into keep their old values, which
  // costs less than undoing the items.
  if (import.result.ok() && !import.settings.empty()) {
    (void)transfer::MergeIntoSettingsFile(places.settings_file, import.settings);
  }
  return {import.result.ok(), transfer::ImportText(import.result)};
}

std::string EncodeRequest(const HandedRequest& handed) {
  return std::to_string(handed.id) + '\n' + std::to_string(handed.reply_to) + '\n' +
         std::string(VerbWord(handed.request.verb)) + '\n' + handed.request.file;
}

std::optional<HandedRequest> DecodeRequest(std::string_view bytes) {
  const auto parts = Lines(bytes, 3);
  if (!parts) return std::nullopt;
  const auto id = Number((*parts)[0]);
  const auto reply_to = Number((*parts)[1]);
  const auto verb = VerbOf((*parts)[2]);
  if (!id || !reply_to || !verb || (*parts)[3].empty()) return std::nullopt;
  return HandedRequest{*id, *reply_to, {*verb, std::string((*parts)[3])}};
}

std::string EncodeReply(unsigned long long id, const TransferReply& reply) {
  return std::to_string(id) + '\n' + (reply.ok ? "ok" : "failed") + '\n' + reply.text;
}

std::optional<TransferReply> DecodeReply(std::string_view bytes, unsigned long long id) {
  const auto parts = Lines(bytes, 2);
  if (!parts || Number((*parts)[0]) != id) return std::nullopt;
  const std::string_view outcome = (*parts)[1];
  if (outcome != "ok" && outcome != "failed") return std::nullopt;
  return TransferReply{outcome == "ok", std::string((*parts)[2])};
}

}  // namespace velora::app
