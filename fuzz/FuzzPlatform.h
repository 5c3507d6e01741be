#pragma once
// Platform services for the fuzz targets: nothing is shown; confirmations are answered by a
// callback (from the fuzz input), and what was asked and copied is kept for the checks.

#include <functional>
#include <string>
#include <vector>

#include "app/PlatformServices.h"

namespace tulo::fuzz {

class FuzzPlatform final : public PlatformServices {
 public:
  std::function<Answer(bool withCancel)> answer = [](bool) { return Answer::kYes; };
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::string clipboard;
  int beeps = 0;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  Answer Confirm(const std::string& text, bool withCancel) override {
    questions.push_back(text);
    Answer a = answer(withCancel);
    return (a == Answer::kCancel && !withCancel) ? Answer::kNo : a;
  }
  void ShowError(const std::string& title, const std::string& text) override {
    messages.push_back(title + ": " + text);
  }
  void Beep() override { ++beeps; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  bool OpenHelp(const std::string&, int) override { return true; }
  bool StartMail(const std::string&) override { return true; }
  bool OpenWebPage(const std::string&) override { return true; }
};

}  // namespace tulo::fuzz
