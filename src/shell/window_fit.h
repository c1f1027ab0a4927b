// Windows that fit their texts and the screen: every dialog is shown at least as wide as
// its title needs (the title bar would cut it), and never larger than the screen's free
// area (a small screen or a large scale factor).
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace zarim {

class WindowFitter : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The room a window's contents have on its screen: the free area less the window frame.
QSize FreeArea(const QWidget* window);
// Widens and bounds a top-level window as the fitter does when it is shown.
void FitWindow(QWidget* window);
// Installs one fitter on the application; every dialog shown afterwards is fitted, and its
// check boxes and field labels get access keys.
void InstallWindowFitter();

}  // namespace zarim
