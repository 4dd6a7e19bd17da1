// A token list as text for comparing lists: kind:value pairs, texts spelled out, and a
// marker when a back link is wrong.
#pragma once

#include "format/date_grammar.h"

#include <string>

inline std::string describeTokens(const kv::DateToken* head) {
  std::string out;
  const kv::DateToken* previous = nullptr;
  for (const kv::DateToken* t = head; t; previous = t, t = t->next) {
    if (t->prev != previous) return "<broken back link>";
    out += std::to_string(t->kind) + ":";
    out += t->kind == kv::kTokText ? reinterpret_cast<const char*>(t->value) : std::to_string(t->value);
    out += " ";
  }
  return out;
}
