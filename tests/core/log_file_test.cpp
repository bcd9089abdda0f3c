#include "core/log_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "support/temp_folder.h"

using namespace velora::core;

namespace {

std::string Read(const std::filesystem::path& file) {
  std::ostringstream bytes;
  bytes << std::ifstream(file, std::ios::binary).rdbuf();
  return bytes.str();
}

class LogFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetProcessLog(nullptr); }
  velora::testing::TempFolder folder{"velora_log"};
  const std::filesystem::path file = folder.path() / "Velora.log";
};

TEST_F(LogFileTest, OneLineEachWithTimePlaceAndWhatFailed) {
  LogFailure("nowhere", "no log set: nothing is written");
  SetProcessLog(std::make_shared<LogFile>(file));
  LogFailure("shell open", "C:\\缺失.exe: error 2: The system cannot\r\nfind the file.");
  const std::string text = Read(file);
  EXPECT_TRUE(
      std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[shell open\] )"
                                        R"(C:\\缺失\.exe: error 2: The system cannot  find the file\.\r\n)")))
      << text;
}

TEST_F(LogFileTest, PastItsLimitTheFileBecomesTheOlderOneAndOnlyOneIsKept) {
  LogFile log(file, 200);
  for (int i = 0; i < 12; ++i) log.Write("place", "failure number " + std::to_string(i) + " of twelve");
  const std::string current = Read(file);
  const std::string older = Read(LogFile::OlderFile(file));
  EXPECT_LE(current.size(), 200u);
  EXPECT_LE(older.size(), 200u);
  EXPECT_NE(current.find("failure number 11 "), std::string::npos);
  EXPECT_NE(older.find("failure number "), std::string::npos);
  EXPECT_EQ((current + older).find("failure number 0 "), std::string::npos) << "the oldest lines are gone";
}

}  // namespace
