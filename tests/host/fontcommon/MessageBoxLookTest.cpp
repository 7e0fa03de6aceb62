// What the standard message box shows: title per kind, buttons in fixed order
// with their captions and results, and what Enter and Escape choose.
#include "fontcommon/MessageBoxSpec.h"

#include <gtest/gtest.h>

namespace {

std::string Captions(const TMessageBoxSpec& spec) {
  std::string captions;
  for (const TMsgDlgButtonSpec& button : spec.Buttons)
    captions += std::string(captions.empty() ? "" : " ") + button.Caption + "=" + std::to_string(button.Result);
  return captions;
}

TEST(MessageBoxSpec, TitleFollowsTheKind) {
  EXPECT_STREQ("Error", MessageBoxSpec(mtError, "t", {mbOK}).Title);
  EXPECT_STREQ("Confirm", MessageBoxSpec(mtConfirmation, "t", {mbYes}).Title);
  EXPECT_STREQ("Information", MessageBoxSpec(mtInformation, "t", {mbOK}).Title);
  EXPECT_EQ("the text  as given ", MessageBoxSpec(mtError, "the text  as given ", {mbOK}).Text);
}

TEST(MessageBoxSpec, ButtonsStandInFixedOrderWithTheirCaptionsAndResults) {
  EXPECT_EQ("&Yes=6 &No=7 OK=1 &All=8", Captions(MessageBoxSpec(mtConfirmation, "t", {mbAll, mbOK, mbNo, mbYes})));
  EXPECT_EQ("&Yes=6 &No=7 &All=8", Captions(MessageBoxSpec(mtConfirmation, "t", {mbAll, mbNo, mbYes})));
  EXPECT_EQ("&Yes=6 &No=7", Captions(MessageBoxSpec(mtConfirmation, "t", {mbNo, mbYes})));
  EXPECT_EQ("OK=1", Captions(MessageBoxSpec(mtError, "t", {mbOK})));
  EXPECT_EQ("OK=1", Captions(MessageBoxSpec(mtInformation, "t", {})));
}

TEST(MessageBoxSpec, EnterChoosesOkElseYes) {
  EXPECT_EQ(mrOk, MessageBoxSpec(mtConfirmation, "t", {mbYes, mbNo, mbOK}).DefaultResult);
  EXPECT_EQ(mrYes, MessageBoxSpec(mtConfirmation, "t", {mbYes, mbNo, mbAll}).DefaultResult);
  EXPECT_EQ(mrOk, MessageBoxSpec(mtError, "t", {mbOK}).DefaultResult);
  EXPECT_EQ(mrNo, MessageBoxSpec(mtConfirmation, "t", {mbNo, mbAll}).DefaultResult);
}

TEST(MessageBoxSpec, EscapeChoosesNoElseOk) {
  EXPECT_EQ(mrNo, MessageBoxSpec(mtConfirmation, "t", {mbYes, mbNo, mbAll}).EscapeResult);
  EXPECT_EQ(mrNo, MessageBoxSpec(mtConfirmation, "t", {mbYes, mbNo, mbOK}).EscapeResult);
  EXPECT_EQ(mrOk, MessageBoxSpec(mtInformation, "t", {mbOK}).EscapeResult);
  EXPECT_EQ(0, MessageBoxSpec(mtConfirmation, "t", {mbYes, mbAll}).EscapeResult);
}

}  // namespace
