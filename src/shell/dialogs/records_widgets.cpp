// Widget helpers of the publisher-record dialogs.
#include "shell/dialogs/records_widgets.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/strings.h"

namespace zarim {

QPushButton* MakeButton(const std::string& caption, QWidget* parent) {
  auto* b = new QPushButton(QStr(caption), parent);
  b->setAccessibleName(Plain(caption));
  return b;
}

void DateBoxes::Create(QWidget* parent, const QString& name, int first, int last) {
  first_year = first;
  month = new QComboBox(parent);
  day = new QComboBox(parent);
  year = new QComboBox(parent);
  for (const auto& t : MonthListTexts()) month->addItem(QStr(t));
  for (const auto& t : DayListTexts()) day->addItem(QStr(t));
  for (const auto& t : YearListTexts(first, last)) year->addItem(QStr(t));
  month->setAccessibleName(name + QStringLiteral(" - ") + Plain(std::string(Str(Sid::kMonthLabel))));
  day->setAccessibleName(name + QStringLiteral(" - ") + Plain(std::string(Str(Sid::kDayLabel))));
  year->setAccessibleName(name + QStringLiteral(" - ") + Plain(std::string(Str(Sid::kYearLabel))));
}

void DateBoxes::Set(const DateParts& d) {
  month->setCurrentIndex(d.month >= 1 && d.month <= 12 ? d.month : 0);
  day->setCurrentIndex(d.day >= 1 && d.day <= 31 ? d.day : 0);
  int y = d.year >= first_year && d.year - first_year + 1 < year->count() ? d.year - first_year + 1 : 0;
  year->setCurrentIndex(y);
}

DateParts DateBoxes::Get() const {
  DateParts d;
  d.month = month->currentIndex();
  d.day = day->currentIndex();
  d.year = year->currentIndex() > 0 ? first_year + year->currentIndex() - 1 : 0;
  return d;
}

void DateBoxes::SetVisible(bool on) {
  month->setVisible(on);
  day->setVisible(on);
  year->setVisible(on);
}

void DateBoxes::SetEnabled(bool on) {
  month->setEnabled(on);
  day->setEnabled(on);
  year->setEnabled(on);
}

int ChooseFromList(QWidget* parent, const QString& title, const std::vector<std::string>& items,
                   const std::vector<bool>& selectable, int preselect) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* list = new QListWidget(&dialog);
  list->setAccessibleName(title);
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new QListWidgetItem(QStr(items[i]), list);
    if (i < selectable.size() && !selectable[i]) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
  }
  if (!items.empty()) list->setCurrentRow(std::clamp(preselect, 0, static_cast<int>(items.size()) - 1));
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted) return -1;
  int row = list->currentRow();
  if (row < 0 || (static_cast<size_t>(row) < selectable.size() && !selectable[row])) return -1;
  return row;
}

}  // namespace zarim
