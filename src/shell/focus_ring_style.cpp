// The focus ring of tick boxes and radio buttons.
#include "shell/focus_ring_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace zarim {

namespace {
constexpr qreal kRingWidth = 2.0;
}  // namespace

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  if (element != CE_CheckBox && element != CE_RadioButton) return;
  if (!(option->state & State_HasFocus)) return;
  const SubElement focus = element == CE_CheckBox ? SE_CheckBoxFocusRect : SE_RadioButtonFocusRect;
  QRect ring = subElementRect(focus, option, widget);
  if (ring.isEmpty()) ring = option->rect;
  // Kept inside the control so that no neighbour paints over it.
  ring = ring.adjusted(-1, -1, 1, 1).intersected(option->rect);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  QPen pen(option->palette.color(QPalette::Active, QPalette::Highlight), kRingWidth);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  const qreal inset = kRingWidth / 2;
  painter->drawRoundedRect(QRectF(ring).adjusted(inset, inset, -inset, -inset), 3, 3);
  painter->restore();
}

void InstallFocusRingStyle() {
  if (!qApp || qobject_cast<FocusRingStyle*>(QApplication::style())) return;
  // The proxy takes over the current style; the application owns the proxy.
  QApplication::setStyle(new FocusRingStyle(QApplication::style()->name()));
}

}  // namespace zarim
