// The style of the desktop: the platform's own, with a ring in the highlight colour round
// the caption of the tick box or radio button that holds the focus. The platform styles
// mark that focus faintly, or only after Tab was pressed, so a keyboard user opening a
// dialog could not see where the focus stands.
#pragma once

#include <QProxyStyle>

namespace zarim {

class FocusRingStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

// Makes the application's style a FocusRingStyle over the style it has (once).
void InstallFocusRingStyle();

}  // namespace zarim
