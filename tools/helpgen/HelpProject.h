// A help file's content as the generator sees it: topics made of paragraphs,
// paragraphs made of runs of text, some of which jump to another topic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct THelpRun {
  std::string Text;
  std::string JumpTo;  // context string of the target topic; empty for plain text
};

enum class TParagraphStyle { Title, Heading, Body, Indented };

struct THelpParagraph {
  TParagraphStyle Style = TParagraphStyle::Body;
  std::vector<THelpRun> Runs;
};

struct THelpTopic {
  std::string Context;  // the topic's context string, unique in the file
  std::string Title;
  std::vector<uint32_t> MapIds;  // the numbers programs ask for it by
  std::vector<THelpParagraph> Paragraphs;
};

struct THelpProject {
  std::string Title;               // the help window's caption
  std::vector<THelpTopic> Topics;  // the first one is the contents
};
