// "Velora.exe /export" and "/import" as a user types them: a catalogue taken from one copy goes
// into a fresh copy in another folder with its paths re-rooted, a bad file is refused with an
// exit code and changes nothing, and a running copy does an import handed to it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/groups.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/path_code.h"
#include "text/utf.h"
#include "transfer/category_tables.h"
#include "transfer/store_dump.h"

using namespace velora;
using namespace velora::e2e;

namespace {

struct CommandRun {
  DWORD exit_code = 0xFFFFFFFF;
  std::string out;
  std::string error;
};

std::string ReadAll(HANDLE pipe) {
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(pipe, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

// Runs the program as a console user would, its standard output and error caught in pipes.
CommandRun RunCommand(const std::filesystem::path& exe, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out_read = nullptr;
  HANDLE out_write = nullptr;
  HANDLE error_read = nullptr;
  HANDLE error_write = nullptr;
  CommandRun run;
  if (!CreatePipe(&out_read, &out_write, &inherit, 1 << 16) ||
      !CreatePipe(&error_read, &error_write, &inherit, 1 << 16)) {
    return run;
  }
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(error_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out_write;
  startup.hStdError = error_write;
  std::wstring line = L"\"" + exe.wstring() + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      exe.parent_path().parent_path().c_str(), &startup, &process);
  CloseHandle(out_write);
  CloseHandle(error_write);
  if (started) {
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &run.exit_code);
    } else {
      TerminateProcess(process.hProcess, 99);
    }
    run.out = ReadAll(out_read);
    run.error = ReadAll(error_read);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out_read);
  CloseHandle(error_read);
  return run;
}

std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

class CatalogueCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [exe, name] : {std::pair{&from, L"甲 copy"}, std::pair{&into, L"乙's copy"}}) {
      std::filesystem::create_directories(folder.path() / name);
      *exe = folder.path() / name / L"Velora.exe";
      std::filesystem::copy_file(BuiltExecutable(), *exe);
    }
  }

  static std::filesystem::path StoreOf(const std::filesystem::path& exe) {
    return exe.parent_path() / L"配置" / L"Velora.db";
  }

  static std::vector<transfer::CatalogueCategory> CategoriesOf(const std::filesystem::path& exe) {
    store::Database db;
    if (!db.Open(text::PathToUtf8(StoreOf(exe)), store::Database::kOpenReadOnly)) return {};
    return transfer::ReadCategories(db);
  }

  static std::vector<std::string> DumpOf(const std::filesystem::path& exe) {
    store::Database db;
    if (!db.Open(text::PathToUtf8(StoreOf(exe)), store::Database::kOpenReadOnly)) return {};
    return velora::testing::Dump(db);
  }

  // A fresh copy's store as its first command writes it, then seeded while nothing runs.
  void Seed() {
    const CommandRun first = RunCommand(from, L"/export " + Quoted(folder.path() / L"空.json"));
    ASSERT_EQ(first.exit_code, 0u) << first.error;
    store::Database db;
    ASSERT_TRUE(db.Open(text::PathToUtf8(StoreOf(from))));
    ASSERT_EQ(store::CreateGroup(db, kGroup), store::GroupOutcome::kCreated);
    const std::string tool = text::PathToUtf8(from.parent_path() / L"工具" / L"编辑 \"器\".exe");
    const store::ItemRow rows[] = {
        {text::PathCode(tool), tool, "编辑 \"器\"", ".exe", "", std::nullopt},
        {"网址https://a.cn/?q='x\"; DROP TABLE 软件;--", std::nullopt, "第一行\r\n第二行", "书签", "", ""},
        {"$$文本$$😀 𠀀", std::nullopt, "😀", "文本", std::nullopt, std::nullopt},
    };
    for (const store::ItemRow& row : rows) ASSERT_TRUE(store::AddItem(db, kGroup, row)) << row.code;
    ASSERT_TRUE(store::AddItem(db, "软件", rows[0]));
  }

  // What the fresh copy should hold: the same rows, a path under the first program folder now
  // under the second.
  std::vector<transfer::CatalogueCategory> Rerooted(
      std::vector<transfer::CatalogueCategory> categories) const {
    const std::string old_root = text::PathToUtf8(from.parent_path());
    const std::string new_root = text::PathToUtf8(into.parent_path());
    for (auto& category : categories) {
      for (auto& row : category.rows) {
        if (!row.path || row.path->rfind(old_root + "\\", 0) != 0) continue;
        row.path = new_root + row.path->substr(old_root.size());
        row.code = text::PathCode(*row.path);
      }
    }
    return categories;
  }

  const std::string kGroup = "工作\"'] 组";
  velora::testing::TempFolder folder;
  std::filesystem::path from;
  std::filesystem::path into;
  std::filesystem::path file = folder.path() / L"目录 导出.json";
};

TEST_F(CatalogueCommandTest, ACatalogueMovesToAFreshCopyInAnotherFolder) {
  Seed();
  const CommandRun exported = RunCommand(from, L"/export " + Quoted(file));
  ASSERT_EQ(exported.exit_code, 0u) << exported.error;
  const std::vector<transfer::CatalogueCategory> source = CategoriesOf(from);
  EXPECT_EQ(exported.out, "已导出 " + std::to_string(transfer::CountRows(source)) + " 项\r\n");

  // The fresh copy has no data folder yet: the command makes it as a first start would.
  const CommandRun imported = RunCommand(into, L"/IMPORT " + Quoted(file));
  ASSERT_EQ(imported.exit_code, 0u) << imported.error;
  EXPECT_EQ(imported.out.rfind("已导入 4 项", 0), 0u) << imported.out;
  EXPECT_EQ(CategoriesOf(into), Rerooted(source));

  // A replace keeps a copy of what it replaces first.
  const CommandRun replaced = RunCommand(into, L"/import " + Quoted(file) + L" /replace");
  ASSERT_EQ(replaced.exit_code, 0u) << replaced.error;
  EXPECT_EQ(CategoriesOf(into), Rerooted(source));
  EXPECT_FALSE(std::filesystem::is_empty(into.parent_path() / L"配置" / L"backup"));
}

TEST_F(CatalogueCommandTest, ABadFileOrLineIsRefusedWithAnExitCodeAndChangesNothing) {
  ASSERT_EQ(RunCommand(into, L"/export " + Quoted(file)).exit_code, 0u);
  const std::vector<std::string> before = DumpOf(into);
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      << R"({"format":"velora-catalogue","version":1,"cat)";
  const struct {
    std::wstring arguments;
    DWORD exit_code;
  } cases[] = {
      {L"/import " + Quoted(file), 1},
      {L"/import " + Quoted(file) + L" /replace", 1},
      {L"/import " + Quoted(folder.path() / L"没有.json"), 1},
      {L"/import", 2},
      {L"/import " + Quoted(file) + L" /merge", 2},
  };
  for (const auto& c : cases) {
    const CommandRun run = RunCommand(into, c.arguments);
    EXPECT_EQ(run.exit_code, c.exit_code) << text::Narrow(c.arguments);
    EXPECT_FALSE(run.error.empty()) << text::Narrow(c.arguments);
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  EXPECT_EQ(DumpOf(into), before);
  std::ifstream log(into.parent_path() / L"配置" / L"Velora.log", std::ios::binary);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(log), {}).find("命令行导入"), std::string::npos);
}

TEST_F(CatalogueCommandTest, ARunningCopyDoesTheImportHandedToIt) {
  Seed();
  ASSERT_EQ(RunCommand(from, L"/export " + Quoted(file)).exit_code, 0u);
  VeloraProcess velora(into);
  ASSERT_NE(velora.WaitUntilReady(), nullptr);

  const CommandRun imported = RunCommand(into, L"/import " + Quoted(file));
  ASSERT_EQ(imported.exit_code, 0u) << imported.error;
  EXPECT_EQ(imported.out.rfind("已导入 4 项", 0), 0u) << imported.out;
  EXPECT_FALSE(velora.WaitForExit(0)) << "the running copy goes on";
  EXPECT_EQ(CategoriesOf(into), Rerooted(CategoriesOf(from)));
  EXPECT_EQ(velora.Close(), 0u);
}

}  // namespace
