// Every dialog of the desktop, walked offscreen: each control the keyboard can reach has
// a name for screen readers (its caption without the access-key mark), and Tab visits
// every such control and comes back round without getting stuck. The registry must know
// every dialog class of src/shell.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <set>

#include "dialog_registry.h"
#include "shell/window_fit.h"

namespace zarim {
namespace {

using testing::AllDialogs;
using testing::DialogWorld;

// Controls a user reaches with Tab: shown, enabled, taking focus by Tab and not handing
// it to another widget (the editor inside a combo box or spin box is its box's).
std::vector<QWidget*> TabStops(QWidget* window) {
  std::vector<QWidget*> stops;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled()) continue;
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
    bool inner = false;
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
      if (p->focusProxy() == w) inner = true;
    if (!inner) stops.push_back(w);
  }
  return stops;
}

QString Describe(QWidget* w) {
  QString text;
  if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
  return QString::fromLatin1(w->metaObject()->className()) + " '" + w->objectName() + "' " + text;
}

QString AccessibleName(QWidget* w) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

TEST(AccessibilityWalk, TheRegistryHoldsEveryDialogClassOfTheDesktop) {
  std::set<std::string> declared;
  const QRegularExpression decl(QStringLiteral("class\\s+(\\w+)\\s*:\\s*public\\s+QDialog\\b"));
  QDirIterator it(QStringLiteral(ZARIM_SOURCE_DIR "/src/shell"), {QStringLiteral("*.h")},
                  QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (auto m = decl.globalMatch(text); m.hasNext();)
      declared.insert(m.next().captured(1).toStdString());
  }
  std::set<std::string> registered;
  for (const auto& entry : AllDialogs()) registered.insert(entry.class_name);
  for (const std::string& name : declared)
    EXPECT_TRUE(registered.count(name))
        << name << " is missing from tests/shell/dialog_registry.cpp";
  EXPECT_GE(registered.size(), 26u);
}

// One dialog: names, then a round of Tab. A failure stops this dialog's walk only.
void WalkDialog(const testing::DialogEntry& entry) {
  const QRegularExpression access_key(QStringLiteral("&[^&\\s]"));
  InstallWindowFitter();
  DialogWorld world;
  testing::BuiltDialog built = entry.build(world);
  QDialog* dialog = built.dialog.get();
  ASSERT_NE(dialog, nullptr);
  dialog->show();
  QApplication::setActiveWindow(dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  EXPECT_FALSE(dialog->windowTitle().trimmed().isEmpty()) << "a dialog without a title";

  // Every check box, radio button and field label with a letter is reached with Alt and
  // a letter, never one of a button's (the button would stop pressing on its key);
  // in a window whose buttons hold all of a caption's letters the control has none.
  QString button_keys;
  for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
    if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) continue;
    const QRegularExpressionMatch m = access_key.match(b->text());
    if (m.hasMatch()) button_keys += m.captured().back().toLower();
  }
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    const auto* label = qobject_cast<QLabel*>(w);
    const QString text = label && label->buddy() ? label->text()
                         : qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)
                             ? static_cast<QAbstractButton*>(w)->text()
                             : QString();
    const QRegularExpressionMatch key = access_key.match(text);
    const bool letters_free = std::any_of(text.begin(), text.end(), [&](QChar c) {
      return c.isLetterOrNumber() && !button_keys.contains(c.toLower());
    });
    EXPECT_TRUE(!letters_free || key.hasMatch()) << "no access key: " << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("&&")))
        << "a key given twice: " << text.toStdString();
  }

  const std::vector<QWidget*> stops = TabStops(dialog);
  ASSERT_FALSE(stops.empty());
  for (QWidget* w : stops) {
    const QString name = AccessibleName(w);
    EXPECT_FALSE(name.isEmpty()) << "no accessible name: " << Describe(w).toStdString();
    EXPECT_FALSE(access_key.match(name).hasMatch())
        << "the name keeps the access-key mark: " << name.toStdString();
  }

  // Tab from the first control: every stop is reached, focus always moves on, and it
  // comes back to where it started.
  QWidget* first = stops.front();
  first->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), first) << Describe(first).toStdString();
  // A control may keep the focus for a few presses while Tab walks its own parts (the
  // links of a page); one that never lets go is a trap.
  constexpr int kInnerStops = 60;
  std::set<QWidget*> seen{first};
  bool round = false;
  int kept = 0;
  for (size_t i = 0; i < 2 * stops.size() + 2 + kInnerStops; ++i) {
    QWidget* before = QApplication::focusWidget();
    QTest::keyClick(before, Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    ASSERT_NE(now, nullptr);
    kept = now == before ? kept + 1 : 0;
    ASSERT_LT(kept, kInnerStops) << "Tab is caught by " << Describe(before).toStdString();
    ASSERT_EQ(now->window(), dialog) << "Tab left the dialog";
    if (now == first) {
      round = true;
      break;
    }
    seen.insert(now);
  }
  EXPECT_TRUE(round) << "Tab does not come back round";
  for (QWidget* w : stops) {
    // Of a set of radio buttons Tab reaches one; the arrow keys move inside it.
    bool reached = seen.count(w) != 0;
    if (!reached && qobject_cast<QRadioButton*>(w)) {
      for (QWidget* s : seen)
        if (qobject_cast<QRadioButton*>(s) && s->parentWidget() == w->parentWidget())
          reached = true;
    }
    EXPECT_TRUE(reached) << "Tab never reaches " << Describe(w).toStdString();
  }
  dialog->hide();
}

TEST(AccessibilityWalk, EveryControlHasANameAndTabGoesRoundEveryDialog) {
  for (const auto& entry : AllDialogs()) {
    SCOPED_TRACE(entry.class_name);
    WalkDialog(entry);
  }
}

}  // namespace
}  // namespace zarim
