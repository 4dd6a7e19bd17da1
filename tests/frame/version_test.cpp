// The library's version strings, from its own version resource.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include "frame/state.h"

#include <string>

TEST(VersionStrings, ProductAndBuild) {
  char text[64] = "";
  ASSERT_EQ(VERGetVersionString(kv::gpState->module, text), 1);
  EXPECT_STREQ(text, KORVANE_PROJECT_VERSION);  // the resource keeps up with the project
  ASSERT_EQ(VERGetBuildString(kv::gpState->module, text), 1);
  EXPECT_EQ(std::string(text), std::string(KORVANE_PROJECT_VERSION) + ".0");

  char untouched[8] = "keep";
  EXPECT_EQ(VERGetVersionString(reinterpret_cast<HMODULE>(0x4321), untouched), 0);
  EXPECT_EQ(VERGetBuildString(reinterpret_cast<HMODULE>(0x4321), untouched), 0);
  EXPECT_STREQ(untouched, "keep");
  EXPECT_EQ(VERGetVersionString(kv::gpState->module, nullptr), 0);
}
