#pragma once
// TAboutBox: "About TULO for Windows", with the version and two clickable links that start the
// user's mail client and web browser.

#include <QDialog>
#include <QLabel>

#include "app/PlatformServices.h"

class QPushButton;

namespace tulo::gui {

class TMainProg;

// A label that reports clicks: blue, underlined, with a pointing hand.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "About TULO for Windows";
  static constexpr const char* kMailAddress = "support@example.com";
  static constexpr const char* kWebPage = "https://www.example.com/";
  static constexpr const char* kMailFailed = "Can't connect to your e-mail program from here. Sorry....";
  static constexpr const char* kWebFailed = "Can't connect to Dunelo Web Page...";

  TAboutBox(TMainProg& main, PlatformServices& platform);  // the creation handler

  // The "&About..." command: shows the box, modeless, in front.
  void ShowModeless();

  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version_No;
  LinkLabel* MailLink;
  LinkLabel* WebLink;
  QPushButton* OKButton;

 private:
  void OKButtonClick();
  void MailLinkClick();
  void WebLinkClick();

  TMainProg& main_;
  PlatformServices& platform_;
  bool centred_ = false;
};

}  // namespace tulo::gui
