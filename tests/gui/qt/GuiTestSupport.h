#pragma once
// What the window scenarios share: a temporary working directory with a fresh configuration
// file, a platform that records the boxes the windows show (the clipboard stays Qt's), a clicker
// for real message boxes, and typing helpers.

#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "app/Config.h"
#include "app/ConfigRecord.h"
#include "gui/QtPlatform.h"

namespace tulo::guitest {

// A disk that fills up, for this process, as long as the object lives: writes beyond `bytes` in
// any file fail with EFBIG, as they fail with ENOSPC on a full disk. It binds root as well, which
// file permissions do not. The signal such a write raises is ignored while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousSignal_)(int) = SIG_DFL;
};

// A fresh working directory for one scenario, left again (and removed) at the end.
class WorkDir {
 public:
  WorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~WorkDir() { QDir::setCurrent(previous_); }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;

  // Writes a new tulodefw.dta (every unit number 1, all else zero).
  bool CreateConfig() const { return CreateConfigFile(kConfigFileName).outcome == CreateOutcome::kCreated; }

  // The record as the file holds it now; nullopt when the file cannot be read whole.
  std::optional<ConfigRecord> ReadConfig() const {
    QFile file(kConfigFileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray data = file.read(kConfigRecordSize);
    if (data.size() != static_cast<qsizetype>(kConfigRecordSize)) return std::nullopt;
    ConfigBytes bytes{};
    std::copy(data.begin(), data.end(), bytes.begin());
    return ConfigRecord::Parse(bytes);
  }

 private:
  QString previous_;
  QTemporaryDir dir_;
};

// Records every box instead of showing it; confirmations are answered from `answers` in order.
class ScriptedPlatform : public gui::QtPlatform {
 public:
  struct Error {
    std::string title, text;
  };

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  Answer Confirm(const std::string& text, bool) override {
    questions.push_back(text);
    if (answers.empty()) return Answer::kCancel;
    Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void ShowError(const std::string& title, const std::string& text) override {
    errors.push_back({title, text});
  }
  void Beep() override { ++beeps; }
  // With realHelp the help window of the Qt platform opens; otherwise the answer is helpResult.
  bool OpenHelp(const std::string& file, int topic) override {
    helpOpened.push_back(file + "#" + std::to_string(topic));
    return realHelp ? QtPlatform::OpenHelp(file, topic) : helpResult;
  }
  bool StartMail(const std::string& address) override {
    mails.push_back(address);
    return mailResult;
  }
  bool OpenWebPage(const std::string& url) override {
    pages.push_back(url);
    return webResult;
  }

  std::vector<std::string> messages, questions, helpOpened, mails, pages;
  std::vector<Error> errors;
  std::vector<Answer> answers;
  int beeps = 0;
  bool helpResult = false, realHelp = false, mailResult = true, webResult = true;
};

// Waits for the next modal message box, records its text and buttons, and presses `button`.
class MessageBoxClicker : public QObject {
 public:
  explicit MessageBoxClicker(QMessageBox::StandardButton button) : button_(button) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      timer_.stop();
      text = box->text();
      title = box->windowTitle();
      buttons = box->standardButtons();
      icon = box->icon();
      if (QAbstractButton* b = box->button(button_)) {
        b->click();
      } else {
        box->reject();
      }
      ++seen;
    });
    timer_.start();
  }

  QString text, title;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int seen = 0;

 private:
  QMessageBox::StandardButton button_;
  QTimer timer_;
};

// Types into a field key by key, as the user does.
inline void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  QTest::keyClicks(field, text);
}

// Replaces the whole text of a field in one edit, by pasting it over a selection of everything.
inline void Paste(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QGuiApplication::clipboard()->setText(text);
  QTest::keySequence(field, QKeySequence::Paste);
}

}  // namespace tulo::guitest

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <memory>

#include "gui/GridView.h"
#include "gui/MainProg.h"
#include "gui/Startup.h"

namespace tulo::guitest {

// Shows a window and waits until it is the active one. Without a window manager (a bare X
// server) nothing activates a new window by itself, so the window asks for it.
inline bool ShowActive(QWidget& window) {
  window.show();
  if (QTest::qWaitForWindowExposed(&window)) window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// The program started as the user starts it, in a fresh working directory with a fresh
// configuration file, its main window shown and active.
struct Running {
  WorkDir dir;
  ScriptedPlatform platform;
  std::unique_ptr<gui::TMainProg> main;

  Running() {
    if (!dir.CreateConfig()) return;
    main = gui::StartUp(platform, {0});
    if (!main) return;
    if (!ShowActive(*main)) main.reset();
  }
  bool Ok() const { return main != nullptr; }
};

}  // namespace tulo::guitest
