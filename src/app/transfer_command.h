#pragma once
// "Velora.exe /export FILE" and "Velora.exe /import FILE [/replace]": what the command asks, the
// work itself on an open store, and the words carried between a command and a running copy.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "transfer/roots.h"

namespace velora::app {

enum class TransferVerb { kExport, kMerge, kReplace };

struct TransferRequest {
  TransferVerb verb = TransferVerb::kExport;
  std::string file;  // UTF-8, as given

  bool operator==(const TransferRequest&) const = default;
};

// What the command prints and how it ends.
struct TransferReply {
  bool ok = false;
  std::string text;

  bool operator==(const TransferReply&) const = default;
};

inline constexpr std::string_view kTransferUsage =
    "用法：Velora.exe /export 文件，或 Velora.exe /import 文件 [/replace]";
inline constexpr std::string_view kStoreNotOpened = "无法打开数据库，未导入或导出任何项目";
inline constexpr std::string_view kBackupFailedNothingImported = "备份失败，未导入任何项目";
inline constexpr std::string_view kRunningCopySilent = "正在运行的 Velora 没有回应";

// Exit codes of the command.
inline constexpr int kTransferDone = 0;
inline constexpr int kTransferFailed = 1;
inline constexpr int kTransferMisused = 2;

struct ParsedCommand {
  std::optional<TransferRequest> request;  // set when the arguments are a whole command
  bool misused = false;                    // a transfer switch with a wrong rest
};

// The arguments after the program's name; switches in any letter case, "-" as well as "/". A
// line with neither /export nor /import is an ordinary start.
ParsedCommand ParseTransferCommand(const std::vector<std::string>& arguments);

struct TransferPlaces {
  transfer::Roots roots;
  std::filesystem::path settings_file;
};

// Does the work on `db`. A replace calls `back_up` first and imports nothing when it fails; an
// import that takes sets the file's settings into the settings file.
TransferReply RunTransfer(store::Database& db, const TransferRequest& request, const TransferPlaces& places,
                          const std::function<bool()>& back_up);

// The request and the reply as the hand-over carries them: UTF-8 lines, the request led by its id
// and where the reply goes.
struct HandedRequest {
  unsigned long long id = 0;
  unsigned long long reply_to = 0;
  TransferRequest request;

  bool operator==(const HandedRequest&) const = default;
};
std::string EncodeRequest(const HandedRequest& handed);
std::optional<HandedRequest> DecodeRequest(std::string_view bytes);
std::string EncodeReply(unsigned long long id, const TransferReply& reply);
// The reply when it answers `id`.
std::optional<TransferReply> DecodeReply(std::string_view bytes, unsigned long long id);

}  // namespace velora::app
