#pragma once
// Platform services of the command line: message boxes go to stderr, questions answer No, and
// the clipboard is kept for printing.

#include <iostream>
#include <string>

#include "app/PlatformServices.h"

namespace tulo::cli {

class CliPlatform final : public PlatformServices {
 public:
  void ShowMessage(const std::string& text) override {
    std::cerr << text << "\n";
    ++messages;
  }
  Answer Confirm(const std::string& text, bool) override {
    std::cerr << text << "\n";
    return Answer::kNo;
  }
  void ShowError(const std::string& title, const std::string& text) override {
    std::cerr << title << ": " << text << "\n";
    ++messages;
  }
  void Beep() override { ++beeps; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  bool OpenHelp(const std::string&, int) override { return false; }
  bool StartMail(const std::string&) override { return false; }
  bool OpenWebPage(const std::string&) override { return false; }

  int messages = 0;
  int beeps = 0;
  std::string clipboard;
};

}  // namespace tulo::cli
