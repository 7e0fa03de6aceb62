// The numbered messages in their real boxes: each box is answered through the
// modal seam by pressing its buttons or keys, as a person would.
#include "TestWindows.h"

#include "fontcommon/MessageDialog.h"
#include "fontcommon/Messages.h"
#include "platform/forms/Modal.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class MessageBoxes : public ::testing::Test {
 protected:
  // Answers each box with `answer` after recording what it shows.
  void Answer(std::function<void(HWND)> answer, const char* screenshot = nullptr) {
    SetModalAnswerer([this, answer, screenshot](HWND box) {
      ++shown_;
      seen_ = InspectBox(box, kMessageTextId, kMessageIconId);
      if (screenshot) SaveScreenshot(box, screenshot);
      answer(box);
    });
  }
  void TearDown() override {
    SetModalAnswerer(nullptr);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }

  static std::string Captions(const BoxSeen& box) {
    std::string captions;
    for (const ButtonSeen& button : box.buttons)
      captions += (captions.empty() ? "" : "|") + button.caption;
    return captions;
  }

  OwnerWindow owner_;
  int shown_ = 0;
  BoxSeen seen_;
};

TEST_F(MessageBoxes, AnErrorMessageShowsTheStopSignAndOk) {
  Answer([](HWND box) { PressButton(box, "OK"); }, "fontcommon-error-message");
  ShowErrorMessage(Msg::Error::AlreadyInstalled, "Verdana");
  EXPECT_EQ(1, shown_);
  EXPECT_EQ("Error", seen_.title);
  EXPECT_EQ(
      "The font Verdana is already installed. To install a new version of the font, first "
      "remove the old version.",
      seen_.text);
  EXPECT_EQ(LoadIconA(nullptr, IDI_HAND), seen_.icon);
  EXPECT_EQ("OK", Captions(seen_));
  EXPECT_EQ(IDOK, seen_.buttons.at(0).id);
  EXPECT_TRUE(seen_.buttons.at(0).isDefault);
  EXPECT_EQ(owner_.Handle(), seen_.owner);
  EXPECT_FALSE(seen_.ownerEnabled) << "the box is not modal to the active window";
  EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
}

TEST_F(MessageBoxes, AVerifyQuestionShowsTheQuestionMarkAndTheCallersButtons) {
  Answer([](HWND box) { PressButton(box, "&All"); }, "fontcommon-verify-message");
  EXPECT_EQ(mrAll,
            AskVerifyMessage(Msg::Verify::OverwriteFile, "ARIAL.TTF", "", {mbAll, mbNo, mbYes}));
  EXPECT_EQ("Confirm", seen_.title);
  EXPECT_EQ("File ARIAL.TTF already exists. Overwrite the existing  file ?", seen_.text);
  EXPECT_EQ(LoadIconA(nullptr, IDI_QUESTION), seen_.icon);
  EXPECT_EQ("&Yes|&No|&All", Captions(seen_));
  EXPECT_TRUE(seen_.closeEnabled);
}

TEST_F(MessageBoxes, AnInformationMessageShowsTheInformationSign) {
  Answer([](HWND box) { PressButton(box, "OK"); }, "fontcommon-information-message");
  EXPECT_EQ(mrOk, ShowInfoMessage(Msg::Info::RemovalStarts, {mbOK}));
  EXPECT_EQ("Information", seen_.title);
  EXPECT_EQ(
      "Zel 95 will now be removed. If you don't receive any error messages during this "
      "process, the removal has been done successfully.",
      seen_.text);
  EXPECT_EQ(LoadIconA(nullptr, IDI_ASTERISK), seen_.icon);
  EXPECT_EQ("OK", Captions(seen_));
}

TEST_F(MessageBoxes, EachButtonReturnsItsResultInFixedOrder) {
  const struct {
    const char* caption;
    uint16_t result;
  } buttons[] = {{"&Yes", 6}, {"&No", 7}, {"OK", 1}, {"&All", 8}};
  for (const auto& button : buttons) {
    const char* caption = button.caption;
    Answer([caption](HWND box) { PressButton(box, caption); });
    EXPECT_EQ(button.result,
              AskVerifyMessage(Msg::Verify::RefreshFontList, "", "", {mbOK, mbAll, mbYes, mbNo}))
        << caption;
    EXPECT_EQ("&Yes|&No|OK|&All", Captions(seen_));
    for (const ButtonSeen& seen : seen_.buttons)
      EXPECT_EQ(seen.caption == "OK", seen.isDefault) << seen.caption << " drawn as default";
  }
}

TEST_F(MessageBoxes, EnterPressesOkElseYes) {
  Answer([](HWND box) { PostKey(box, VK_RETURN); });
  EXPECT_EQ(mrYes, AskVerifyMessage(Msg::Verify::ContinueWithoutEntry, "Courier", "",
                                    {mbYes, mbNo, mbAll}));
  EXPECT_EQ(mrYes, seen_.defaultId);
  EXPECT_EQ(mrYes, seen_.focusId);

  EXPECT_EQ(mrOk, AskVerifyMessage(Msg::Verify::RefreshFontList, "", "", {mbYes, mbNo, mbOK}));
  EXPECT_EQ(mrOk, seen_.defaultId);
  EXPECT_EQ(mrOk, seen_.focusId);
}

TEST_F(MessageBoxes, EscapeAndClosingChooseNoElseOk) {
  Answer([](HWND box) { PostKey(box, VK_ESCAPE); });
  EXPECT_EQ(mrNo, AskVerifyMessage(Msg::Verify::RemoveInvalidEntry, "Old Font (TrueType)",
                                   "C:\\OLD.TTF", {mbYes, mbNo}));
  EXPECT_EQ(mrOk, ShowInfoMessage(Msg::Info::RemovalStarts, {mbOK}));

  Answer([](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); });
  EXPECT_EQ(mrNo, AskVerifyMessage(Msg::Verify::RemoveZel95, "", "", {mbYes, mbNo, mbAll}));
  EXPECT_EQ(3, shown_);
}

TEST_F(MessageBoxes, WithoutNoOrOkEscapeAndCloseDoNothing) {
  Answer([](HWND box) {
    PostKey(box, VK_ESCAPE);
    PostMessageA(box, WM_CLOSE, 0, 0);
    // Still open after both: the button posted last is what ends it.
    PostMessageA(FindButton(box, "&All"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(mrAll, AskVerifyMessage(Msg::Verify::RefreshFontList, "", "", {mbYes, mbAll}));
  EXPECT_FALSE(seen_.closeEnabled);
}

TEST_F(MessageBoxes, TheArrowStandsOverTheBoxAndTheCallersCursorComesBack) {
  HCURSOR hourglass = LoadCursorA(nullptr, IDC_WAIT);
  SetCursor(hourglass);
  Answer([](HWND box) { PressButton(box, "&No"); });
  EXPECT_EQ(mrNo, AskVerifyMessage(Msg::Verify::DeleteFontFile, "Arial", "", {mbYes, mbNo}));
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), seen_.cursor);
  EXPECT_EQ(hourglass, GetCursor());
}

TEST_F(MessageBoxes, TextIsShownAsGivenWithoutAccelerators) {
  Answer([](HWND box) { PressButton(box, "OK"); });
  ShowErrorMessage(Msg::Error::CannotCopyFile, "R&D.TTF");
  EXPECT_EQ("Can not copy file R&D.TTF. This font will not be installed on your system.",
            seen_.text);
}

TEST_F(MessageBoxes, AnUndefinedNumberRaisesBeforeAnyBoxIsShown) {
  HCURSOR hourglass = LoadCursorA(nullptr, IDC_WAIT);
  SetCursor(hourglass);
  Answer([](HWND box) { PressButton(box, "OK"); });
  for (uint16_t number : {0, 15}) {
    try {
      ShowErrorMessage(static_cast<Msg::Error>(number), "x");
      ADD_FAILURE() << "no exception for error message " << number;
    } catch (const EUndefinedMessage& e) {
      EXPECT_EQ("Internal Error: Error-Message not defined for Constant: " +
                    std::to_string(number) + ". Please inform VELMOR Software about this error",
                e.Message());
    }
  }
  EXPECT_THROW(AskVerifyMessage(static_cast<Msg::Verify>(7), "", "", {mbYes, mbNo}),
               EUndefinedMessage);
  EXPECT_THROW(ShowInfoMessage(static_cast<Msg::Info>(1), {mbOK}), EUndefinedMessage);
  EXPECT_EQ(0, shown_);
  EXPECT_EQ(hourglass, GetCursor());
}

}  // namespace
