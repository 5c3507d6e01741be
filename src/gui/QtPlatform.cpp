#include "gui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "gui/HelpWindow.h"

namespace tulo::gui {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

// Boxes are owned by the window in front, so that they open centred over it.
void QtPlatform::ShowMessage(const std::string& text) {
  QMessageBox::information(QApplication::activeWindow(), kBoxTitle, Q(text), QMessageBox::Ok);
}

Answer QtPlatform::Confirm(const std::string& text, bool withCancel) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  switch (
      QMessageBox::question(QApplication::activeWindow(), kBoxTitle, Q(text), buttons, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      // The close box of the question counts as Cancel where there is one, else as No.
      return withCancel ? Answer::kCancel : Answer::kNo;
  }
}

void QtPlatform::ShowError(const std::string& title, const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), Q(title), Q(text), QMessageBox::Ok);
}

void QtPlatform::Beep() {
  QApplication::beep();
}

void QtPlatform::SetClipboardText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(Q(text));
}

bool QtPlatform::OpenHelp(const std::string& /*file*/, int topic) {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  return help_->ShowTopic(topic);
}

bool QtPlatform::StartMail(const std::string& address) {
  return QDesktopServices::openUrl(QUrl(Q("mailto:" + address)));
}

bool QtPlatform::OpenWebPage(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(Q(url)));
}

}  // namespace tulo::gui
