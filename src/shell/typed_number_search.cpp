// Typed numbers in number lists.
#include "shell/typed_number_search.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <vector>

#include "core/typed_number.h"

namespace zarim {

bool TypedNumberSearch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* list = qobject_cast<QComboBox*>(watched);
  if (!list || list->isEditable()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (text.size() != 1 || !text[0].isDigit() || text[0].unicode() > '9') return false;
  if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
  std::vector<std::string> items;
  for (int i = 0; i < list->count(); ++i) items.push_back(list->itemText(i).toStdString());
  if (!IsNumberList(items)) return false;
  // Digits typed in a quick run make one number, as the platform's own search does.
  if (list != list_ || !since_.isValid() ||
      since_.elapsed() > QApplication::keyboardInputInterval())
    typed_.clear();
  list_ = list;
  since_.start();
  typed_ = NextTypedNumber(items, typed_, static_cast<char>(text[0].unicode()));
  const int index = MatchTypedNumber(items, typed_);
  if (index >= 0) list->setCurrentIndex(index);
  return true;
}

void InstallTypedNumberSearch() {
  static TypedNumberSearch* search = nullptr;
  if (search || !qApp) return;
  search = new TypedNumberSearch(qApp);
  qApp->installEventFilter(search);
}

}  // namespace zarim
