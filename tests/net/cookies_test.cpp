#include <gtest/gtest.h>

#include "net/cookies.h"

using namespace velora::net;

TEST(StripCookiePrefix, RemovesEveryPrefixIgnoringCaseAndKeepsTheBlank) {
  EXPECT_EQ(StripCookiePrefix("Cookie: a=1; b=2"), " a=1; b=2");
  EXPECT_EQ(StripCookiePrefix("COOKIE:a=1; cookie: b=2"), "a=1;  b=2");
  EXPECT_EQ(StripCookiePrefix("a=1"), "a=1");
}

TEST(ResponseCookies, TakesNameValueOfSetCookieLinesOnly) {
  const std::string block =
      "Content-Type: text/html\r\n"
      "Set-Cookie: a=3; Path=/; HttpOnly\r\n"
      "Set-Cookie: c=4\r\n"
      "set-cookie: lower=1\r\n"   // the name must match exactly
      "Set-Cookie:nospace=1\r\n"  // the name ends at ": "
      "X-Set-Cookie: no=1\r\n"
      "\r\n";
  EXPECT_EQ(ResponseCookies(block), "a=3; c=4");
  EXPECT_EQ(ResponseCookies(""), "");
  EXPECT_EQ(ResponseCookies("Set-Cookie: ; Path=/\r\nSet-Cookie:  z=9 \r\n"), "z=9");
}

TEST(ResponseCookies, ACookieHoldingALineBreakIsLeftOut) {
  // It would end the line of the Cookie header it is sent back in.
  EXPECT_EQ(ResponseCookies("Set-Cookie: a=1\nX-Injected: 2\r\nSet-Cookie: b=2\r\n"
                            "Set-Cookie: c=3\r; path=/\r\n"),
            "b=2");
}

TEST(MergeCookies, NewValuesReplaceOldOnesAndUnmentionedOldOnesStay) {
  EXPECT_EQ(MergeCookies("a=1; b=2", "a=3; c=4"), "a=3; c=4; b=2");
  EXPECT_EQ(MergeCookies(" a=1; b=2; ", ""), "a=1; b=2");
  EXPECT_EQ(MergeCookies("", "x=1;"), "x=1");
  // Blanks around an entry and semicolons after it are no part of it, so a merged text merges
  // to itself.
  EXPECT_EQ(MergeCookies("a=1;;", ""), "a=1");
  EXPECT_EQ(MergeCookies("a=1; ;", "a=1; ;"), "a=1");
  EXPECT_EQ(MergeCookies("x=deleted;  a=1", ""), "a=1");
  EXPECT_EQ(MergeCookies("a=1;;; b=2 ;", "c=3 ; b=2"), "c=3; b=2; a=1");
  EXPECT_EQ(MergeCookies("flag; a=1", "flag"), "flag; a=1");  // an entry without "=" is its own name
  EXPECT_EQ(MergeCookies(" a =1", "a=2"), "a=2");             // names are compared trimmed
}

TEST(MergeCookies, DeletedEntriesAndDuplicatesGo) {
  EXPECT_EQ(MergeCookies("a=1; b=2", "a=deleted"), "b=2");
  EXPECT_EQ(MergeCookies("a=1; b=deleted", "c=3"), "c=3; a=1");
  EXPECT_EQ(MergeCookies("b=2; b=2", "a=1; a=1"), "a=1; b=2");
  EXPECT_EQ(MergeCookies("a=deleted", "a=deleted"), "");
}

TEST(MergeCookies, ResponseAfterRequestCookies) {
  // The whole path the request takes: attributes cut off, then merged over the sent cookies.
  const std::string set = ResponseCookies("Set-Cookie: a=new; path=/\r\nSet-Cookie: c=3\r\n");
  EXPECT_EQ(MergeCookies(StripCookiePrefix("Cookie: a=old; b=2"), set), "a=new; c=3; b=2");
}
