// The text the help is written in, one topic after another, one paragraph
// a line:
//
//   ; a comment
//   @title Zel 95 Help                 the help window's caption
//   @topic install Installing fonts    a topic: context string, then title
//   @map 2000 2001                     numbers a program may ask for it by
//   = Heading                          a heading line
//   Body text, with [[remove|a jump]] to another topic.
//   - An indented paragraph.
//   @error 3 Arial                     a message of the program, as it reads,
//   @verify 1 Arial (TrueType)|ARIAL.TTF   with the texts put in (| between
//   @info 2                                two), shown as an indented paragraph
#pragma once

#include "tools/helpgen/HelpProject.h"

#include <stdexcept>
#include <string>

class EHelpSource : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EHelpSource naming the line for text it does not understand, a jump
// to a topic that does not exist, or a context string or number used twice.
THelpProject ParseHelpSource(const std::string& text);
