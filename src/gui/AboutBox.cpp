#include "gui/AboutBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Version.h"
#include "app/MainForm.h"
#include "gui/Artwork.h"
#include "gui/MainProg.h"

namespace tulo::gui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::blue);
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

TAboutBox::TAboutBox(TMainProg& main, PlatformServices& platform)
    : QDialog(&main), main_(main), platform_(platform) {
  setObjectName("AboutBox");
  setWindowTitle(kCaption);
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);

  ProgramIcon = new QLabel(this);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setPixmap(ProgramPicture(64));
  ProductName = new QLabel("TULO for Windows", this);
  ProductName->setObjectName("ProductName");
  Version_No = new QLabel(this);
  Version_No->setObjectName("Version_No");
  Version_No->setText(kVersion);
  MailLink = new LinkLabel(kMailAddress, this);
  MailLink->setObjectName("MailLink");
  WebLink = new LinkLabel(QString(kWebPage).remove("https://").remove('/'), this);
  WebLink->setObjectName("WebLink");
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);

  auto* facts = new QGridLayout;
  facts->addWidget(new QLabel("Product Name :", this), 0, 0);
  facts->addWidget(ProductName, 0, 1);
  facts->addWidget(new QLabel("Version :", this), 1, 0);
  facts->addWidget(Version_No, 1, 1);
  facts->addWidget(new QLabel("E-mail :", this), 2, 0);
  facts->addWidget(MailLink, 2, 1);
  facts->addWidget(new QLabel("Web Page :", this), 3, 0);
  facts->addWidget(WebLink, 3, 1);
  auto* panel = new QHBoxLayout;
  panel->addWidget(ProgramIcon, 0, Qt::AlignTop);
  panel->addSpacing(12);
  panel->addLayout(facts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panel);
  layout->addSpacing(8);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);

  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
  connect(MailLink, &LinkLabel::clicked, this, &TAboutBox::MailLinkClick);
  connect(WebLink, &LinkLabel::clicked, this, &TAboutBox::WebLinkClick);
  setFixedSize(sizeHint());
}

void TAboutBox::ShowModeless() {
  if (!centred_) {
    centred_ = true;
    if (QScreen* s = main_.screen()) move(s->availableGeometry().center() - rect().center());
  }
  show();
  raise();
  activateWindow();
}

void TAboutBox::OKButtonClick() {
  main_.BringToFront();
  hide();
}

// A failure leaves the box open, with the error box over it.
void TAboutBox::MailLinkClick() {
  if (!platform_.StartMail(kMailAddress)) platform_.ShowError("Error", kMailFailed);
}

void TAboutBox::WebLinkClick() {
  if (!platform_.OpenWebPage(kWebPage)) platform_.ShowError("Error", kWebFailed);
}

}  // namespace tulo::gui
