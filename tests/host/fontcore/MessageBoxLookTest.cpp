// What the standard message box shows: title per kind, buttons in fixed order
// with their captions and results, and what Enter and Escape choose.
#include "fontcore/MessageBoxLook.h"

#include <gtest/gtest.h>

namespace {

std::string Captions(const TMessageBoxLook& look) {
  std::string captions;
  for (const TMsgDlgButtonLook& button : look.Buttons)
    captions += std::string(captions.empty() ? "" : " ") + button.Caption + "=" +
                std::to_string(button.Result);
  return captions;
}

TEST(MessageBoxLook, TitleFollowsTheKind) {
  EXPECT_STREQ("Error", MessageBoxLook(mtError, "t", {mbOK}).Title);
  EXPECT_STREQ("Confirm", MessageBoxLook(mtConfirmation, "t", {mbYes}).Title);
  EXPECT_STREQ("Information", MessageBoxLook(mtInformation, "t", {mbOK}).Title);
  EXPECT_EQ("the text  as given ", MessageBoxLook(mtError, "the text  as given ", {mbOK}).Text);
}

TEST(MessageBoxLook, ButtonsStandInFixedOrderWithTheirCaptionsAndResults) {
  EXPECT_EQ("&Yes=6 &No=7 OK=1 &All=8",
            Captions(MessageBoxLook(mtConfirmation, "t", {mbAll, mbOK, mbNo, mbYes})));
  EXPECT_EQ("&Yes=6 &No=7 &All=8",
            Captions(MessageBoxLook(mtConfirmation, "t", {mbAll, mbNo, mbYes})));
  EXPECT_EQ("&Yes=6 &No=7", Captions(MessageBoxLook(mtConfirmation, "t", {mbNo, mbYes})));
  EXPECT_EQ("OK=1", Captions(MessageBoxLook(mtError, "t", {mbOK})));
  EXPECT_EQ("OK=1", Captions(MessageBoxLook(mtInformation, "t", {})));
}

TEST(MessageBoxLook, EnterChoosesOkElseYes) {
  EXPECT_EQ(mrOk, MessageBoxLook(mtConfirmation, "t", {mbYes, mbNo, mbOK}).DefaultResult);
  EXPECT_EQ(mrYes, MessageBoxLook(mtConfirmation, "t", {mbYes, mbNo, mbAll}).DefaultResult);
  EXPECT_EQ(mrOk, MessageBoxLook(mtError, "t", {mbOK}).DefaultResult);
  EXPECT_EQ(mrNo, MessageBoxLook(mtConfirmation, "t", {mbNo, mbAll}).DefaultResult);
}

TEST(MessageBoxLook, EscapeChoosesNoElseOk) {
  EXPECT_EQ(mrNo, MessageBoxLook(mtConfirmation, "t", {mbYes, mbNo, mbAll}).EscapeResult);
  EXPECT_EQ(mrNo, MessageBoxLook(mtConfirmation, "t", {mbYes, mbNo, mbOK}).EscapeResult);
  EXPECT_EQ(mrOk, MessageBoxLook(mtInformation, "t", {mbOK}).EscapeResult);
  EXPECT_EQ(0, MessageBoxLook(mtConfirmation, "t", {mbYes, mbAll}).EscapeResult);
}

}  // namespace
