// Typed values parsed into a stack arena: the list equals the allocated one whether it fits,
// overflows the arena's nodes or texts, is read again as eight digits, or fails half way.
#include "format/date_grammar.h"
#include "date_token_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string parsed(const std::string& text, int mode, kv::DateTokenArena* arena) {
  kv::DateToken* head = kv::FMTParseDateString(text.c_str(), mode, arena);
  std::string out = head ? describeTokens(head) : "<none>";
  kv::freeDateTokens(head, arena);
  return out;
}

TEST(DateTokenArena, ListsEqualAllocatedOnes) {
  std::string manyTokens, longWords;
  for (int i = 0; i < 20; ++i) manyTokens += std::to_string(i) + "/";            // 40 nodes
  for (int i = 0; i < 12; ++i) longWords += std::string(20, 'a' + i) + " ";  // 240 text bytes
  const std::string texts[] = {"March 15, 2001", "3/15/01", "20011225", "1:05:09 PM", "", "15 \x01 March",
                               manyTokens, longWords, longWords + "\x01"};
  ASSERT_EQ(parsed("20011225", kv::kParseDate, nullptr), "0:2001 3:1 0:12 3:1 0:25 ");
  ASSERT_EQ(parsed("March 15", kv::kParseDate, nullptr), "1:March 3:1 0:15 ");
  ASSERT_EQ(parsed(longWords + "\x01", kv::kParseDate, nullptr), "<none>");  // fails after 24 nodes
  for (const std::string& text : texts) {
    for (int mode : {static_cast<int>(kv::kParseDate), static_cast<int>(kv::kParseTime)}) {
      kv::DateTokenArena fresh;
      EXPECT_EQ(parsed(text, mode, &fresh), parsed(text, mode, nullptr)) << text;
      // An arena already partly used by an earlier list.
      kv::DateTokenArena reused;
      reused.nodesUsed = 20;
      reused.textUsed = 150;
      EXPECT_EQ(parsed(text, mode, &reused), parsed(text, mode, nullptr)) << text;
    }
  }
}

}  // namespace
