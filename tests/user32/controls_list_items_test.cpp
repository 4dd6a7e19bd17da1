// The item list of list and combo boxes, apart from their windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "user32/listbox_items.h"

namespace {

using kw::user32::ListItems;

std::vector<std::string> texts(const ListItems& l) {
  std::vector<std::string> out;
  for (int i = 0; i < l.count(); ++i) out.push_back(*l.text(i));
  return out;
}

TEST(ListItems, AddInsertDeleteAndSelection) {
  ListItems l;
  EXPECT_EQ(l.add("one"), 0);
  EXPECT_EQ(l.add("two"), 1);
  EXPECT_EQ(l.insert(0, "zero"), 0);
  EXPECT_EQ(l.insert(-1, "three"), 3);
  EXPECT_EQ(l.insert(5, "beyond"), LB_ERR);
  EXPECT_EQ(l.insert(-2, "negative"), LB_ERR);
  EXPECT_EQ(texts(l), (std::vector<std::string>{"zero", "one", "two", "three"}));

  EXPECT_TRUE(l.select(2));
  l.insert(1, "half");  // an insertion before the selection moves it along
  EXPECT_EQ(l.selection(), 3);
  EXPECT_EQ(l.remove(0), 4);  // so does a deletion
  EXPECT_EQ(l.selection(), 2);
  EXPECT_EQ(*l.text(2), "two");
  EXPECT_EQ(l.remove(2), 3);  // deleting the selected item leaves none selected
  EXPECT_EQ(l.selection(), -1);
  EXPECT_EQ(l.remove(3), LB_ERR);
  EXPECT_EQ(l.text(3), nullptr);
  EXPECT_FALSE(l.select(7));
  EXPECT_EQ(l.selection(), -1);

  EXPECT_TRUE(l.setData(1, 1234));
  EXPECT_EQ(l.data(1), 1234);
  EXPECT_EQ(l.data(9), LB_ERR);
  EXPECT_FALSE(l.setData(-1, 1));
  l.clear();
  EXPECT_EQ(l.count(), 0);
  EXPECT_EQ(l.find(-1, "", false), LB_ERR);
}

TEST(ListItems, SortedOrderIgnoresCaseAndKeepsEqualsInOrder) {
  ListItems l(true);
  for (const char* s : {"pear", "Apple", "banana", "apple", "Cherry"}) l.add(s);
  EXPECT_EQ(texts(l), (std::vector<std::string>{"Apple", "apple", "banana", "Cherry", "pear"}));
  EXPECT_EQ(l.insert(0, "zzz"), 0);  // insertions are not sorted
  EXPECT_EQ(*l.text(0), "zzz");
}

TEST(ListItems, FindsPrefixesAndWholeTextsWrappingFromTheStart) {
  ListItems l;
  for (const char* s : {"HP LaserJet on LPT1:", "Epson on COM1:", "hp deskjet on FILE:", "HP"}) l.add(s);
  struct Case { int start; const char* text; bool exact; int want; } cases[] = {
      {-1, "hp", false, 0},  {0, "hp", false, 2},   {2, "hp", false, 3},  {3, "hp", false, 0},
      {-1, "hp", true, 3},   {3, "hp", true, 3},    {-1, "epson on com1:", true, 1},
      {-1, "Epson on", true, LB_ERR}, {-1, "Canon", false, LB_ERR},   {99, "epson", false, 1},
      {-1, "", false, 0},    {1, "", false, 2},     {-1, "HP LaserJet on LPT1: and more", false, LB_ERR},
  };
  for (const Case& c : cases) EXPECT_EQ(l.find(c.start, c.text, c.exact), c.want) << c.start << " " << c.text;
}

TEST(ListItems, TopItemFollowsTheShownItem) {
  ListItems l;
  for (int i = 0; i < 10; ++i) l.add(std::to_string(i));
  l.showItem(7, 3);
  EXPECT_EQ(l.top(), 5);
  l.showItem(6, 3);
  EXPECT_EQ(l.top(), 5);
  l.showItem(2, 3);
  EXPECT_EQ(l.top(), 2);
  l.setTop(50);
  EXPECT_EQ(l.top(), 9);
  while (l.count() > 2) l.remove(l.count() - 1);
  EXPECT_EQ(l.top(), 1);
}

}  // namespace
