// The captions of a window that are cut.
#include "shell/caption_check.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <cstdlib>

namespace zarim {
namespace {

// A caption is cut when its widget is narrower than its own size hint (the style's room
// for the text, the indicator and the margins); a wrapped label, when it is lower than its
// text needs at its width. A widget inside a scroll area scrolls into view instead.
void CheckCaption(QWidget* widget, QWidget* window, const QString& caption, int need_width,
                  std::vector<std::string>* cut) {
  if (caption.isEmpty()) return;
  for (QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
    if (qobject_cast<QAbstractScrollArea*>(up)) return;
  const std::string what = "\"" + caption.toStdString() + "\"";
  auto* label = qobject_cast<QLabel*>(widget);
  if (label && label->wordWrap()) {
    if (label->height() < label->heightForWidth(label->width())) cut->push_back(what + " is cut");
  } else if (widget->width() < need_width) {
    cut->push_back(what + " is cut");
  }
  const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
  if (!window->rect().contains(area)) cut->push_back(what + " lies outside its window");
}

void CheckVisible(QWidget* window, std::vector<std::string>* cut) {
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->pixmap().isNull())
        CheckCaption(label, window, label->text(), label->sizeHint().width(), cut);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      CheckCaption(button, window, button->text(), button->sizeHint().width(), cut);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
      CheckCaption(box, window, box->title(), box->minimumSizeHint().width(), cut);
    }
  }
}

}  // namespace

std::vector<std::string> CutCaptions(QWidget* window) {
  std::vector<std::string> cut;
  CheckVisible(window, &cut);
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    const int front = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      if (i == front) continue;
      tabs->setCurrentIndex(i);
      QApplication::processEvents();
      CheckVisible(window, &cut);
    }
    tabs->setCurrentIndex(front);
  }
  return cut;
}

bool CheckingLayout() {
  const char* value = std::getenv("ZARIM_CHECK_LAYOUT");
  return value && *value;
}

}  // namespace zarim
