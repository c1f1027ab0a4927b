// The window fitter.
#include "shell/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <algorithm>

namespace zarim {

namespace {
// Room in the title bar besides the text: the window's icon and its buttons.
constexpr int kTitleBarExtra = 140;
}  // namespace

void FitWindow(QWidget* window) {
  if (!window || !window->isWindow()) return;
  QSize size = window->size();
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  const int title = metrics.horizontalAdvance(window->windowTitle()) + kTitleBarExtra;
  size.setWidth(std::max(size.width(), title));
  if (QScreen* screen = window->screen()) size = size.boundedTo(screen->availableGeometry().size());
  size = size.expandedTo(window->minimumSize()).boundedTo(window->maximumSize());
  if (size != window->size()) window->resize(size);
}

bool WindowFitter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    if (auto* dialog = qobject_cast<QDialog*>(watched)) FitWindow(dialog);
  }
  return QObject::eventFilter(watched, event);
}

void InstallWindowFitter() {
  static WindowFitter* fitter = nullptr;
  if (fitter || !qApp) return;
  fitter = new WindowFitter(qApp);
  qApp->installEventFilter(fitter);
}

}  // namespace zarim
