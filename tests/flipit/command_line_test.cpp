#include <gtest/gtest.h>

#include "flipit/command_line.h"

using namespace velora::flipit;

TEST(CommandLine, RunsOnSlashSInAnyCaseAndSpelling) {
  for (const wchar_t* arguments : {L"/s", L"/S", L"-s", L"  /s  ", L"/s:"}) {
    EXPECT_EQ(ParseCommandLine(arguments), (Invocation{Mode::kScreenSaver, 0})) << arguments;
  }
}

TEST(CommandLine, SettingsWithOrWithoutTheirOwner) {
  // Explorer's "configure" starts the program with no switch at all.
  EXPECT_EQ(ParseCommandLine(L""), (Invocation{Mode::kConfigure, 0}));
  EXPECT_EQ(ParseCommandLine(L"/c"), (Invocation{Mode::kConfigure, 0}));
  EXPECT_EQ(ParseCommandLine(L"/c:1234"), (Invocation{Mode::kConfigure, 1234}));
  EXPECT_EQ(ParseCommandLine(L"/C 5678"), (Invocation{Mode::kConfigure, 5678}));
}

TEST(CommandLine, PreviewNeedsItsWindow) {
  EXPECT_EQ(ParseCommandLine(L"/p 1234"), (Invocation{Mode::kPreview, 1234}));
  EXPECT_EQ(ParseCommandLine(L"/P 1234"), (Invocation{Mode::kPreview, 1234}));
  EXPECT_EQ(ParseCommandLine(L"/p:66012"), (Invocation{Mode::kPreview, 66012}));
  EXPECT_EQ(ParseCommandLine(L"/p \t 77 "), (Invocation{Mode::kPreview, 77}));
  EXPECT_EQ(ParseCommandLine(L"/p"), std::nullopt);
  EXPECT_EQ(ParseCommandLine(L"/p 0"), std::nullopt);
  EXPECT_EQ(ParseCommandLine(L"/p 12ab"), std::nullopt);
  EXPECT_EQ(ParseCommandLine(L"/p -5"), std::nullopt);
}

TEST(CommandLine, AnythingElseIsRefused) {
  for (const wchar_t* arguments :
       {L"s", L"/", L"/x", L"/sx", L"/c:12x", L"/a 1234", L"/p 999999999999999999999999999999"}) {
    EXPECT_EQ(ParseCommandLine(arguments), std::nullopt) << arguments;
  }
}
