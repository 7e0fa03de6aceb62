// What the program's standard message box shows for a message: its title,
// its kind (which decides the icon), the text, the buttons in order with
// their captions and results, and which result Enter and Escape give.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

enum TMsgDlgType { mtError, mtConfirmation, mtInformation };

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbAll };

// Results of the buttons; callers compare against these numbers.
enum : uint16_t { mrOk = 1, mrYes = 6, mrNo = 7, mrAll = 8 };

// A set of buttons, written as {mbYes, mbNo}.
class TMsgDlgButtons {
 public:
  constexpr TMsgDlgButtons() = default;
  constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
    for (TMsgDlgBtn button : buttons) bits_ |= 1u << button;
  }
  constexpr bool Contains(TMsgDlgBtn button) const { return (bits_ & (1u << button)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }

 private:
  unsigned bits_ = 0;
};

struct TMsgDlgButtonLook {
  TMsgDlgBtn Button;
  const char* Caption;
  uint16_t Result;
};

struct TMessageBoxLook {
  TMsgDlgType Kind;
  const char* Title;
  std::string Text;
  std::vector<TMsgDlgButtonLook> Buttons;  // left to right
  uint16_t DefaultResult;                  // the button Enter presses
  uint16_t EscapeResult;                   // Escape and closing; 0: neither works
};

// An empty set of buttons shows OK, so that every box can be answered.
TMessageBoxLook MessageBoxLook(TMsgDlgType kind, const std::string& text, TMsgDlgButtons buttons);
