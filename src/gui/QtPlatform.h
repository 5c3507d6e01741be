#pragma once
// The platform services of the desktop program, with Qt: message boxes, the beep, the clipboard,
// the help window and the user's mail client and browser (both through the desktop's URL handlers).

#include <memory>
#include <string>

#include "app/PlatformServices.h"

namespace tulo::gui {

class HelpWindow;

class QtPlatform : public PlatformServices {
 public:
  QtPlatform();
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // The title of information and confirmation boxes: the application title.
  static constexpr const char* kBoxTitle = "TULO For Windows";

  void ShowMessage(const std::string& text) override;
  Answer Confirm(const std::string& text, bool withCancel) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void Beep() override;
  void SetClipboardText(const std::string& text) override;
  // Opens the help window built into the program at the page of `topic` (HelpTopic), creating
  // the window on first use. The pages replace the old help file, so `file` is not looked for.
  // False when the page is missing from the resources.
  bool OpenHelp(const std::string& file, int topic) override;
  bool StartMail(const std::string& address) override;
  bool OpenWebPage(const std::string& url) override;

  // The help window, once OpenHelp has created it; nullptr before.
  HelpWindow* Help() const { return help_.get(); }

 private:
  std::unique_ptr<HelpWindow> help_;
};

}  // namespace tulo::gui
