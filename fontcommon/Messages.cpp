#include "fontcommon/Messages.h"

#include "fontcommon/MessageDialog.h"

#include <windows.h>

namespace {

class ArrowWhileShown {
 public:
  ArrowWhileShown() : saved_(GetCursor()) { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
  ~ArrowWhileShown() { SetCursor(saved_); }
  ArrowWhileShown(const ArrowWhileShown&) = delete;
  ArrowWhileShown& operator=(const ArrowWhileShown&) = delete;

 private:
  HCURSOR saved_;
};

uint16_t ShowCatalogueBox(TMsgDlgType kind, const std::string& text, TMsgDlgButtons buttons) {
  TMessageBoxLook look = MessageBoxLook(kind, text, buttons);
  ArrowWhileShown arrow;
  return ShowMessageDialog(look);
}

}  // namespace

void ShowErrorMessage(Msg::Error number, const std::string& text) {
  ShowCatalogueBox(mtError, ErrorMessageText(number, text), {mbOK});
}

uint16_t AskVerifyMessage(Msg::Verify number, const std::string& text1, const std::string& text2,
                          TMsgDlgButtons buttons) {
  return ShowCatalogueBox(mtConfirmation, VerifyMessageText(number, text1, text2), buttons);
}

uint16_t ShowInfoMessage(Msg::Info number, TMsgDlgButtons buttons) {
  return ShowCatalogueBox(mtInformation, InfoMessageText(number), buttons);
}
