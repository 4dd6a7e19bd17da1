// The single-line edit control's editing rules, apart from its window.
#include <gtest/gtest.h>

#include <string>

#include "platform/emulated_system.h"
#include "user32/edit_text.h"

namespace {

using kw::user32::EditText;

struct State {
  std::string text;
  size_t start, end;
  bool operator==(const State&) const = default;
};

State state(const EditText& e) { return {e.text(), e.selectionStart(), e.selectionEnd()}; }

TEST(EditText, TypingSelectionAndKeysInATable) {
  EditText e;
  enum Op { Type, Back, Del, Left, Right, Home, End, SLeft, SRight, SHome, SEnd, Sel, Replace, Clear };
  struct Step {
    Op op;
    long a, b;
    const char* s;
    State want;
    unsigned effect;
  };
  const unsigned T = EditText::kTextChanged | EditText::kSelectionChanged, S = EditText::kSelectionChanged;
  const Step steps[] = {
      {Type, 'a', 0, nullptr, {"a", 1, 1}, T},
      {Type, 'b', 0, nullptr, {"ab", 2, 2}, T},
      {Type, 'c', 0, nullptr, {"abc", 3, 3}, T},
      {Left, 0, 0, nullptr, {"abc", 2, 2}, S},
      {Type, 'X', 0, nullptr, {"abXc", 3, 3}, T},
      {Back, 0, 0, nullptr, {"abc", 2, 2}, T},
      {Del, 0, 0, nullptr, {"ab", 2, 2}, T},
      {Del, 0, 0, nullptr, {"ab", 2, 2}, EditText::kNothing},  // at the end
      {SHome, 0, 0, nullptr, {"ab", 0, 2}, S},
      {Type, 'z', 0, nullptr, {"z", 1, 1}, T},  // typing replaces the selection
      {Replace, 0, 0, "123", {"z123", 4, 4}, T},
      {SLeft, 0, 0, nullptr, {"z123", 3, 4}, S},
      {SLeft, 0, 0, nullptr, {"z123", 2, 4}, S},
      {Left, 0, 0, nullptr, {"z123", 2, 2}, S},  // collapses onto the selection's start
      {SRight, 0, 0, nullptr, {"z123", 2, 3}, S},
      {Right, 0, 0, nullptr, {"z123", 3, 3}, S},  // and onto its end
      {SEnd, 0, 0, nullptr, {"z123", 3, 4}, S},
      {Back, 0, 0, nullptr, {"z12", 3, 3}, T},  // deletes the selection only
      {Home, 0, 0, nullptr, {"z12", 0, 0}, S},
      {Back, 0, 0, nullptr, {"z12", 0, 0}, EditText::kNothing},
      {End, 0, 0, nullptr, {"z12", 3, 3}, S},
      {Sel, 0, -1, nullptr, {"z12", 0, 3}, S},  // all
      {Sel, 3, 1, nullptr, {"z12", 1, 3}, S},   // reversed: anchor 3, caret 1
      {SLeft, 0, 0, nullptr, {"z12", 0, 3}, S},  // the caret end moves
      {Sel, -1, 0, nullptr, {"z12", 0, 0}, S},   // deselect, caret kept
      {Sel, 2, 99, nullptr, {"z12", 2, 3}, S},   // clamped to the text
      {Clear, 0, 0, nullptr, {"z1", 2, 2}, T},
      {Clear, 0, 0, nullptr, {"z1", 2, 2}, EditText::kNothing},
      {Type, '\t', 0, nullptr, {"z1", 2, 2}, EditText::kRefused},  // control characters
  };
  int i = 0;
  for (const Step& s : steps) {
    unsigned effect = 0;
    switch (s.op) {
      case Type: effect = e.typeChar(static_cast<BYTE>(s.a)); break;
      case Back: effect = e.backspace(); break;
      case Del: effect = e.deleteForward(); break;
      case Left: effect = e.moveLeft(false); break;
      case Right: effect = e.moveRight(false); break;
      case Home: effect = e.moveHome(false); break;
      case End: effect = e.moveEnd(false); break;
      case SLeft: effect = e.moveLeft(true); break;
      case SRight: effect = e.moveRight(true); break;
      case SHome: effect = e.moveHome(true); break;
      case SEnd: effect = e.moveEnd(true); break;
      case Sel: effect = e.setSelection(s.a, s.b); break;
      case Replace: effect = e.replaceSelection(s.s, false); break;
      case Clear: effect = e.clearSelection(); break;
    }
    EXPECT_EQ(state(e), s.want) << "step " << i;
    EXPECT_EQ(effect, s.effect) << "step " << i;
    ++i;
  }
  EXPECT_TRUE(e.modified());
  e.setText("fresh");
  EXPECT_EQ(state(e), (State{"fresh", 0, 0}));
  EXPECT_FALSE(e.modified());  // set text is the program's, not the user's
}

TEST(EditText, LimitReadOnlyCaseAndDigits) {
  EditText e;
  e.setLimit(4);
  e.setText("abcdef");  // the limit binds the user, not the program
  EXPECT_EQ(e.text(), "abcdef");
  e.setText("ab");
  e.setSelection(2, 2);
  EXPECT_EQ(e.replaceSelection("xyz", true), EditText::kTextChanged | EditText::kSelectionChanged | EditText::kLimitReached);
  EXPECT_EQ(e.text(), "abxy");
  EXPECT_EQ(e.typeChar('q'), EditText::kRefused | EditText::kLimitReached);
  EXPECT_EQ(e.text(), "abxy");
  e.setSelection(0, 1);
  EXPECT_NE(e.typeChar('Q') & EditText::kTextChanged, 0u);  // a selection makes room
  EXPECT_EQ(e.text(), "Qbxy");
  e.setLimit(0);
  EXPECT_EQ(e.limit(), EditText::kMaxLimit);

  e.setReadOnly(true);
  EXPECT_EQ(e.typeChar('r'), EditText::kRefused);
  EXPECT_EQ(e.backspace(), EditText::kRefused);
  e.setSelection(0, -1);
  EXPECT_EQ(e.clearSelection(), EditText::kRefused);
  EXPECT_EQ(e.replaceSelection("program", false) & EditText::kTextChanged, EditText::kTextChanged);
  EXPECT_EQ(e.text(), "program");
  EXPECT_TRUE(e.readOnly());

  EditText upper;
  upper.setStyle(ES_UPPERCASE);
  upper.typeChar('a');
  upper.replaceSelection("bc", true);
  EXPECT_EQ(upper.text(), "ABC");
  EditText digits;
  digits.setStyle(ES_NUMBER);
  EXPECT_EQ(digits.typeChar('x'), EditText::kRefused);
  digits.typeChar('7');
  digits.replaceSelection("x1", true);  // pasting is not checked, as on Windows
  EXPECT_EQ(digits.text(), "7x1");
}

TEST(EditText, JapaneseTextNeverSplitsACharacter) {
  EmulatedSystem japanese(0x0411);
  // あ (82 A0), a, ソ (83 5C: its trail byte is a backslash), い (82 A2)
  const std::string text = "\x82\xA0" "a" "\x83\x5C" "\x82\xA2";
  EditText e;
  e.setText(text);
  size_t caretSeen[] = {2, 3, 5, 7, 7};
  for (size_t want : caretSeen) {
    e.moveRight(false);
    EXPECT_EQ(e.caret(), want);
  }
  for (size_t want : {5u, 3u, 2u, 0u, 0u}) {
    e.moveLeft(false);
    EXPECT_EQ(e.caret(), want);
  }
  e.setSelection(1, 4);  // both inside characters: moved back to their starts
  EXPECT_EQ(state(e), (State{text, 0, 3}));
  e.setSelection(6, 6);
  EXPECT_EQ(e.caret(), 5u);
  e.backspace();  // removes ソ whole
  EXPECT_EQ(e.text(), "\x82\xA0" "a" "\x82\xA2");
  e.deleteForward();
  EXPECT_EQ(e.text(), "\x82\xA0" "a");
  e.moveHome(false);
  e.moveRight(true);
  EXPECT_EQ(e.selectedText(), "\x82\xA0");

  // A typed double-byte character arrives as its lead byte, then its trail byte.
  e.moveEnd(false);
  EXPECT_EQ(e.typeChar(0x82), EditText::kNothing);
  EXPECT_EQ(e.text(), "\x82\xA0" "a");
  EXPECT_NE(e.typeChar(0xA4) & EditText::kTextChanged, 0u);
  EXPECT_EQ(e.text(), "\x82\xA0" "a" "\x82\xA4");
  EXPECT_EQ(e.caret(), 5u);

  // The limit cuts between characters: 2 bytes of room take one of two characters.
  e.setLimit(7);
  unsigned effect = e.replaceSelection("\x82\xA6\x82\xA8", true);
  EXPECT_EQ(e.text(), "\x82\xA0" "a" "\x82\xA4" "\x82\xA6");
  EXPECT_NE(effect & EditText::kLimitReached, 0u);
  // One byte of room takes nothing of a double-byte character.
  e.setLimit(8);
  EXPECT_EQ(e.replaceSelection("\x82\xAA", true), EditText::kRefused | EditText::kLimitReached);
  EXPECT_EQ(e.text().size(), 7u);
}

}  // namespace
