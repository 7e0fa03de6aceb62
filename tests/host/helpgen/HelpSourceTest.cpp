// The help text as the generator reads it.
#include "tools/helpgen/HelpSource.h"

#include "fontcore/MessageTexts.h"

#include <gtest/gtest.h>

namespace {

std::string FailureOf(const std::string& source) {
  try {
    ParseHelpSource(source);
  } catch (const EHelpSource& e) {
    return e.what();
  }
  return "";
}

TEST(HelpSource, TopicsCarryTheirTitleMapAndParagraphs) {
  const THelpProject project = ParseHelpSource(
      "; comment\n@title The Help\n@topic first First topic\n@map 2000 2001\n"
      "= A heading\nSee [[second|the second]] now.\n- Indented\n@topic second Second\n");
  EXPECT_EQ(project.Title, "The Help");
  ASSERT_EQ(project.Topics.size(), 2u);
  const THelpTopic& first = project.Topics[0];
  EXPECT_EQ(first.Context, "first");
  EXPECT_EQ(first.Title, "First topic");
  EXPECT_EQ(first.MapIds, (std::vector<uint32_t>{2000, 2001}));
  ASSERT_EQ(first.Paragraphs.size(), 4u);
  EXPECT_EQ(first.Paragraphs[0].Style, TParagraphStyle::Title);
  EXPECT_EQ(first.Paragraphs[1].Style, TParagraphStyle::Heading);
  EXPECT_EQ(first.Paragraphs[3].Style, TParagraphStyle::Indented);
  const auto& runs = first.Paragraphs[2].Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].Text, "See ");
  EXPECT_EQ(runs[1].Text, "the second");
  EXPECT_EQ(runs[1].JumpTo, "second");
  EXPECT_EQ(runs[2].Text, " now.");
}

TEST(HelpSource, MessagesComeFromTheCatalogueWithTheirInserts) {
  const THelpProject project =
      ParseHelpSource("@topic m Messages\n@error 3 <font>\n@verify 1 <entry>|<file>\n@info 2\n");
  const auto& paragraphs = project.Topics[0].Paragraphs;
  ASSERT_EQ(paragraphs.size(), 4u);
  EXPECT_EQ(paragraphs[1].Runs[0].Text, ErrorMessageText(Msg::Error::AlreadyInstalled, "<font>"));
  EXPECT_EQ(paragraphs[2].Runs[0].Text,
            VerifyMessageText(Msg::Verify::RemoveInvalidEntry, "<entry>", "<file>"));
  EXPECT_EQ(paragraphs[3].Runs[0].Text, InfoMessageText(Msg::Info::RemovalStarts));
  EXPECT_EQ(paragraphs[1].Style, TParagraphStyle::Indented);
}

TEST(HelpSource, MistakesAreNamed) {
  EXPECT_EQ(FailureOf("@topic a A\nGo [[b|there]].\n"), "topic a jumps to b, which does not exist");
  EXPECT_EQ(FailureOf("@topic a A\n@map 7\n@topic b B\n@map 7\n"), "number 7 is mapped twice");
  EXPECT_EQ(FailureOf("@topic a A\n@topic a B\n"), "topic a is defined twice");
  EXPECT_EQ(FailureOf("@topic a A\n@error 10 x\n"),
            "line 2: the catalogue has no error message 10");
  EXPECT_EQ(FailureOf("text\n"), "line 1: text before the first @topic");
  EXPECT_EQ(FailureOf("@topic a A\nbroken [[a there]]\n"),
            "line 2: a jump is written [[context|text]]");
  EXPECT_EQ(FailureOf("; nothing\n"), "the help has no topic");
}

}  // namespace
