#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "exec/address_lookup.h"

using namespace velora::exec;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class FakeResolver final : public AddressResolver {
 public:
  std::optional<std::string> host_name;
  std::map<std::string, std::vector<Ipv4Address>> answers;
  std::vector<std::string> asked;

  std::optional<std::string> HostName() override { return host_name; }
  std::vector<Ipv4Address> Resolve(const std::string& name) override {
    asked.push_back(name);
    auto it = answers.find(name);
    return it == answers.end() ? std::vector<Ipv4Address>{} : it->second;
  }
};

}  // namespace

TEST(ReplyText, IsTheReceivedBytesUpToTheFirstZeroUntrimmed) {
  EXPECT_EQ(ReplyText("203.0.113.7"), "203.0.113.7");
  EXPECT_EQ(ReplyText("203.0.113.7\r\n"), "203.0.113.7\r\n");
  EXPECT_EQ(ReplyText(" 203.0.113.7 \n"), " 203.0.113.7 \n");
  EXPECT_EQ(ReplyText(std::string_view("1.2.3.4\0garbage", 15)), "1.2.3.4");
  EXPECT_EQ(ReplyText(std::string_view("\0x", 2)), "");
  EXPECT_EQ(ReplyText(""), "");
}

TEST(DottedQuad, WritesEachByteUnsigned) {
  EXPECT_EQ(DottedQuad({192, 168, 1, 5}), "192.168.1.5");
  EXPECT_EQ(DottedQuad({255, 0, 128, 255}), "255.0.128.255");
  EXPECT_EQ(DottedQuad({0, 0, 0, 0}), "0.0.0.0");
}

TEST(InternalAddresses, KeepsTheResolverOrder) {
  FakeResolver resolver;
  resolver.host_name = "office-pc";
  resolver.answers["office-pc"] = {{10, 0, 0, 9}, {192, 168, 1, 5}, {172, 16, 200, 1}};
  EXPECT_THAT(InternalAddresses(resolver), ElementsAre("10.0.0.9", "192.168.1.5", "172.16.200.1"));

  resolver.answers["office-pc"] = {{192, 168, 1, 5}};
  EXPECT_THAT(InternalAddresses(resolver), ElementsAre("192.168.1.5"));

  resolver.answers.clear();
  EXPECT_THAT(InternalAddresses(resolver), IsEmpty());
}

TEST(InternalAddresses, NameThatDoesNotFitSixteenBytesIsAskedAsEmpty) {
  FakeResolver resolver;
  resolver.answers[""] = {{127, 0, 0, 1}};
  resolver.answers["fifteen-chars15"] = {{10, 1, 1, 1}};
  resolver.host_name = "fifteen-chars15";  // 15 bytes and the terminator fit
  EXPECT_THAT(InternalAddresses(resolver), ElementsAre("10.1.1.1"));
  resolver.host_name = "sixteen-chars-16";
  EXPECT_THAT(InternalAddresses(resolver), ElementsAre("127.0.0.1"));
  resolver.host_name.reset();  // gethostname failed
  EXPECT_THAT(InternalAddresses(resolver), ElementsAre("127.0.0.1"));
  EXPECT_THAT(resolver.asked, ElementsAre("fifteen-chars15", "", ""));
}
