#pragma once
// The platform services of the desktop program, with Qt: message boxes, the beep, the clipboard,
// the help file and the user's mail client and browser (both through the desktop's URL handlers).

#include <string>

#include "app/PlatformServices.h"

namespace tulo::gui {

class QtPlatform : public PlatformServices {
 public:
  // The title of information and confirmation boxes: the application title.
  static constexpr const char* kBoxTitle = "TULO For Windows";

  void ShowMessage(const std::string& text) override;
  Answer Confirm(const std::string& text, bool withCancel) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void Beep() override;
  void SetClipboardText(const std::string& text) override;
  // Opens the help file of the working directory with the desktop's handler for it. The desktop
  // handlers know no topic numbers, so the file opens at its start. False when the file is not
  // there or no handler could be started.
  bool OpenHelp(const std::string& file, int topic) override;
  bool StartMail(const std::string& address) override;
  bool OpenWebPage(const std::string& url) override;
};

}  // namespace tulo::gui
