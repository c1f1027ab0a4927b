// Access keys for the controls of a dialog.
#include "shell/control_access_keys.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/access_keys.h"

namespace zarim {

void GiveControlAccessKeys(QWidget* window) {
  if (!window) return;
  // The captions the keys are chosen from: first those that keep their keys (buttons,
  // tabs), so a new key never takes one of theirs, then the controls that may get one.
  std::vector<std::string> captions;
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
    if (!qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b))
      captions.push_back(b->text().toStdString());
  for (QTabBar* tabs : window->findChildren<QTabBar*>())
    for (int i = 0; i < tabs->count(); ++i) captions.push_back(tabs->tabText(i).toStdString());
  const size_t kept = captions.size();

  std::vector<std::function<void(const QString&)>> setters;
  const auto take = [&](const QString& text, std::function<void(const QString&)> set) {
    if (text.trimmed().isEmpty()) return;
    captions.push_back(text.toStdString());
    setters.push_back(std::move(set));
  };
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
    if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
      take(b->text(), [b](const QString& t) { b->setText(t); });
  // A label reaches its field only through a buddy; a label without one shows a value.
  for (QLabel* l : window->findChildren<QLabel*>())
    if (l->buddy() && l->textFormat() != Qt::RichText)
      take(l->text(), [l](const QString& t) { l->setText(t); });

  const std::vector<std::string> keyed = WithAccessKeys(captions);
  // The keys of the buttons and tabs: a shared key would only move the focus between the
  // button and the control, so the button's key would no longer press it.
  static const QRegularExpression kKey(QStringLiteral("&([^&\\s])"));
  QString button_keys;
  for (size_t i = 0; i < kept; ++i) {
    const QRegularExpressionMatch m = kKey.match(QString::fromStdString(captions[i]));
    if (m.hasMatch()) button_keys += m.captured(1).toLower();
  }
  for (size_t i = 0; i < setters.size(); ++i) {
    QString caption = QString::fromStdString(keyed[kept + i]);
    // A window with more controls than letters shares keys: pressing a shared key again
    // moves on to the next control that has it.
    if (keyed[kept + i] == captions[kept + i] && !caption.contains(kKey)) {
      const auto at = std::find_if(caption.begin(), caption.end(), [&](QChar c) {
        return c.isLetterOrNumber() && !button_keys.contains(c.toLower());
      });
      if (at == caption.end()) continue;
      caption.insert(at - caption.begin(), QLatin1Char('&'));
    }
    setters[i](caption);
  }
}

}  // namespace zarim
