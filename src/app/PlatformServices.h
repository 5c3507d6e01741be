#pragma once
// What the core needs from the desktop: message boxes, the beep, the clipboard, the help viewer,
// and the user's mail client and web browser. The windowed program implements it with its toolkit,
// the command line writes to stderr, and tests use a scripted fake. Nothing in the core shows a
// box any other way.

#include <string>

namespace tulo {

// The button a confirmation was closed with.
enum class Answer { kYes, kNo, kCancel };

class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // Information box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // Confirmation with Yes and No, plus Cancel when withCancel is true.
  virtual Answer Confirm(const std::string& text, bool withCancel) = 0;
  // Error box with a title and the error icon.
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
  // The system's default beep.
  virtual void Beep() = 0;
  // Replaces the clipboard's content with plain text (CR LF line ends are the caller's business).
  virtual void SetClipboardText(const std::string& text) = 0;
  // Opens help file `file` at topic number `topic`; false when the help viewer cannot be started.
  virtual bool OpenHelp(const std::string& file, int topic) = 0;
  // Starts a new mail message to `address` in the user's mail client; false on failure.
  virtual bool StartMail(const std::string& address) = 0;
  // Opens `url` in the user's web browser (maximised where the platform allows); false on failure.
  virtual bool OpenWebPage(const std::string& url) = 0;
};

}  // namespace tulo
