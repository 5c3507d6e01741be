#include "gui/SplashForm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/Artwork.h"

namespace tulo::gui {

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("SplashForm");
  setFixedSize(kWidth, kHeight);

  // A silver panel holding the picture, the words and the rule.
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  QPalette silver = panel->palette();
  silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  silver.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(silver);

  auto* picture = new QLabel(panel);
  picture->setPixmap(ProgramPicture(128));
  picture->setAlignment(Qt::AlignCenter);
  auto* title = new QLabel("FOR WINDOWS", panel);
  QFont titleFont("Arial");
  titleFont.setStyleHint(QFont::SansSerif);
  titleFont.setPixelSize(24);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);
  auto* rule = new QFrame(panel);
  rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  auto* loading = new QLabel("Loading...", panel);
  loading->setAlignment(Qt::AlignCenter);

  auto* inner = new QVBoxLayout(panel);
  inner->addWidget(picture, 1);
  inner->addWidget(title);
  inner->addWidget(rule);
  inner->addWidget(loading);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(panel);

  connect(&Timer1, &QTimer::timeout, this, &TSplashForm::Timer1Timer);
}

void TSplashForm::ShowAndPaint() {
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  show();
  repaint();
  QApplication::processEvents();
}

void TSplashForm::WaitForTimer(int intervalMs) {
  fired_ = false;
  Timer1.setInterval(intervalMs);
  Timer1.start();
  while (!fired_) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Only stops the timer: the start-up goes on once it has fired.
void TSplashForm::Timer1Timer() {
  Timer1.stop();
  fired_ = true;
}

}  // namespace tulo::gui
