#pragma once
// A scripted stand-in for the desktop: records everything the core shows or asks, and answers
// confirmations from a queue the test fills beforehand. A question with no answer queued fails
// the test and is answered Cancel (or No without a Cancel button), which never writes or closes.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app/PlatformServices.h"

namespace tulo::testing {

class FakePlatform : public PlatformServices {
 public:
  struct Question {
    std::string text;
    bool withCancel = false;
  };
  struct Error {
    std::string title;
    std::string text;
  };

  // Answers for the coming confirmations, in order.
  void QueueAnswer(Answer answer) { answers_.push_back(answer); }
  std::size_t UnusedAnswers() const { return answers_.size(); }

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    Log("message: " + text);
  }

  Answer Confirm(const std::string& text, bool withCancel) override {
    questions.push_back({text, withCancel});
    Log("question: " + text);
    if (answers_.empty()) {
      ADD_FAILURE() << "FakePlatform: unexpected question \"" << text << "\" (no answer queued)";
      return withCancel ? Answer::kCancel : Answer::kNo;
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    if (answer == Answer::kCancel && !withCancel) {
      ADD_FAILURE() << "FakePlatform: Cancel queued for \"" << text << "\", which has only Yes and No";
    }
    return answer;
  }

  void ShowError(const std::string& title, const std::string& text) override {
    errors.push_back({title, text});
    Log("error: " + title + ": " + text);
  }

  void Beep() override {
    ++beeps;
    Log("beep");
  }

  void SetClipboardText(const std::string& text) override {
    clipboard = text;
    ++clipboardWrites;
    Log("clipboard");
  }

  bool OpenHelp(const std::string& file, int topic) override {
    helpOpened.push_back({file, topic});
    Log("help: " + file + " " + std::to_string(topic));
    return helpResult;
  }

  bool StartMail(const std::string& address) override {
    mailsStarted.push_back(address);
    Log("mail: " + address);
    return mailResult;
  }

  bool OpenWebPage(const std::string& url) override {
    pagesOpened.push_back(url);
    Log("web: " + url);
    return webResult;
  }

  // What happened, in the order of the kind of call; `calls` holds every call in overall order.
  std::vector<std::string> messages;
  std::vector<Question> questions;
  std::vector<Error> errors;
  int beeps = 0;
  std::string clipboard;
  int clipboardWrites = 0;
  std::vector<std::pair<std::string, int>> helpOpened;
  std::vector<std::string> mailsStarted;
  std::vector<std::string> pagesOpened;
  std::vector<std::string> calls;

  // What the launchers report.
  bool helpResult = true;
  bool mailResult = true;
  bool webResult = true;

 private:
  void Log(std::string entry) { calls.push_back(std::move(entry)); }
  std::deque<Answer> answers_;
};

}  // namespace tulo::testing
