// The application object: title, hint and its handler, help file, exception
// handler and the message loop with the per-message work the forms rely on
// (menu shortcuts, key preview, dialog keys, hints of the control under the
// mouse).
#pragma once

#include "FaultGuard.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

class TControl;
class TForm;

class TApplication {
 public:
  std::string Title;
  std::string HelpFile;
  // Called whenever the hint changes.
  std::function<void()> OnHint;
  // Every exception that escapes an event handler ends here.
  std::function<void(const std::exception&)> OnException;

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  // Closing this form ends the message loop.
  TForm* MainForm = nullptr;

  // To be called inside a catch block: hands the exception being handled to
  // OnException; the program goes on.
  void HandleException() noexcept;

  // Runs the message loop until the main form is gone.
  void Run();
  // Handles every pending message, then does the idle work once.
  void ProcessMessages();
  // Work done when the queue is empty: the hint of the control under the mouse.
  void Idle();

  // Menu shortcuts, key preview and dialog keys before a message is
  // dispatched; true when the message was consumed.
  bool PreTranslate(MSG& msg);

 private:
  void HandleMessage(MSG& msg);

  std::string hint_;
};

extern TApplication Application;

// Runs `handler`, turning an escaping exception or hardware fault into the
// application's exception report. Every event of the toolkit is raised
// through here.
template <typename F>
void Guarded(F&& handler) noexcept {
  RunGuarded([](void* h) { (*static_cast<std::remove_reference_t<F>*>(h))(); },
             const_cast<void*>(static_cast<const void*>(&handler)));
}

// The part of a hint before "|" (the tooltip) and the part after it (the
// status line); a hint without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
