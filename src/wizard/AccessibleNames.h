// What a screen reader calls each control it reaches. Labels name the
// control after them; controls without a label of their own get their name
// from a nearby text or a fixed one.
#pragma once
#include <string>

enum TNameKind {
  nkOwnText,    // its own caption (buttons with a caption, labels)
  nkLabel,      // the text of the label NameLabel
  nkFixed,      // the fixed text FixedName
  nkFirstLine,  // the first line of its own text (the result text)
};

struct TNameSource {
  TNameKind Kind = nkOwnText;
  int NameLabel = 0;
  const char* FixedName = nullptr;
};

// Where the control Id takes its name from.
TNameSource AccessibleNameSource(int Id);

// A caption as it is spoken: the access-key marks of a control that has
// them taken out ("&&" stands for "&"), and only the first line when asked.
std::string SpokenText(const std::string& Caption, bool AccessKeys, bool FirstLineOnly = false);
