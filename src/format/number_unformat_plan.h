// What unformatting needs of a picture, worked out once per picture and thread: the literal
// text around the digits of each section. Reading a typed number splits and scans the
// picture again otherwise, which was most of the cost of a call.
#pragma once

#include "format/number_pic.h"

namespace kv {

// One section as it frames the digits of typed text.
struct SectionFrame {
  bool present;  // the section is not empty
  bool digits;   // it has a digit placeholder
  bool percent;  // "%" follows its digits
  bool pair;     // its suffix has a "_x" pair: blanks at the end of the text are not the number's
  BYTE prefixLength;
  BYTE suffixLength;
  CHAR prefix[kPictureBuffer];  // literals before the digits (all of them when there are none)
  CHAR suffix[kPictureBuffer];  // literals after the digits, quotes resolved
};

// Frames a section of at most FMT_MAX_PICTURE bytes with the separators in force.
void FrameSection(LPCSTR section, CHAR thousand, CHAR decimal, bool dbcs, SectionFrame* out);

// Removes the frame's prefix and suffix from text in place (after a leading "-" when
// keepMinus); true when the text holds the "%" the frame asks for.
bool StripFrame(LPSTR text, const SectionFrame& frame, bool keepMinus);

// A plain (untokenized) picture other than "$", split and framed.
struct UnformatPlan {
  bool sectioned;   // has ";" and is not scientific: up to three sections tried in turn
  bool scientific;  // read as scientific notation first
  int sections;     // 1..3
  SectionFrame frames[3];
};

// The plan of a plain picture of at most FMT_MAX_PICTURE bytes for these separators and
// code page mode: from the calling thread's cache, or built into fallback when the thread
// has none. The result stays valid until the thread's next call.
const UnformatPlan& FindUnformatPlan(LPCSTR picture, PictureSeparators sep, bool dbcs, UnformatPlan& fallback);

// Frees a thread's cache (the destructor of its format thread record calls this).
void freeUnformatPlans(void* cache);

}  // namespace kv
