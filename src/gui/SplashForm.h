#pragma once
// TSplashForm: the borderless window shown while the program starts.

#include <QTimer>
#include <QWidget>

namespace tulo::gui {

class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 243;
  static constexpr int kHeight = 278;

  TSplashForm();

  // Shows the window centred and paints it before returning.
  void ShowAndPaint();
  // Starts Timer1 with `intervalMs` and processes events until it has fired once.
  void WaitForTimer(int intervalMs);

  QTimer Timer1;

 private:
  void Timer1Timer();
  bool fired_ = false;
};

}  // namespace tulo::gui
