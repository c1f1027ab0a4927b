// The binding kit of the desktop dialogs.
#include "shell/dialogs/dialog_kit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace zarim {

QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString Q(Sid id) { return Q(Str(id)); }

QString Plain(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out.trimmed();
}

QString Plain(std::string_view caption) { return Plain(Q(caption)); }

QPushButton* MakeButton(std::string_view caption, QWidget* parent) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setAccessibleName(Plain(caption));
  return b;
}

OkCancelRow MakeOkCancel(QDialog* dialog, Sid ok, Sid cancel, bool wired) {
  OkCancelRow row;
  row.box = new QDialogButtonBox(dialog);
  row.ok = row.box->addButton(Q(ok), QDialogButtonBox::AcceptRole);
  row.cancel = row.box->addButton(Q(cancel), QDialogButtonBox::RejectRole);
  row.ok->setAccessibleName(Plain(ok));
  row.cancel->setAccessibleName(Plain(cancel));
  if (!wired) return row;
  QObject::connect(row.box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(row.box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return row;
}

void ShowValue(QLabel* label, const QString& value, const QString& caption) {
  label->setText(value);
  const QString said = Plain(value).simplified();
  label->setAccessibleName(caption.isEmpty() ? said : Plain(caption) + QStringLiteral(": ") + said);
}

void FitCharacters(QWidget* box, int chars) {
  // The frame and the text margins of a line edit take about two characters.
  box->setMinimumWidth(box->fontMetrics().averageCharWidth() * (chars + 2));
}

void DateBoxes::Create(QWidget* parent, const QString& name, int first, int last) {
  first_year = first;
  month = new QComboBox(parent);
  day = new QComboBox(parent);
  year = new QComboBox(parent);
  for (const auto& t : MonthListTexts()) month->addItem(Q(t));
  for (const auto& t : DayListTexts()) day->addItem(Q(t));
  for (const auto& t : YearListTexts(first, last)) year->addItem(Q(t));
  NameDateLists(name, month, day, year);
}

void NameDateLists(const QString& caption, QComboBox* month, QComboBox* day, QComboBox* year) {
  const QString name = Plain(caption);
  for (auto [list, part] : {std::pair{month, Sid::kMonthLabel}, std::pair{day, Sid::kDayLabel},
                            std::pair{year, Sid::kYearLabel}})
    if (list) list->setAccessibleName(name + QStringLiteral(" - ") + Plain(part));
}

void DateBoxes::Set(const DateParts& d) {
  month->setCurrentIndex(d.month >= 1 && d.month <= 12 ? d.month : 0);
  day->setCurrentIndex(d.day >= 1 && d.day <= 31 ? d.day : 0);
  int y =
      d.year >= first_year && d.year - first_year + 1 < year->count() ? d.year - first_year + 1 : 0;
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
    auto* item = new QListWidgetItem(Q(items[i]), list);
    if (i < selectable.size() && !selectable[i]) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
  }
  if (!items.empty())
    list->setCurrentRow(std::clamp(preselect, 0, static_cast<int>(items.size()) - 1));
  layout->addWidget(list);
  layout->addWidget(MakeOkCancel(&dialog).box);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted) return -1;
  int row = list->currentRow();
  if (row < 0 || (static_cast<size_t>(row) < selectable.size() && !selectable[row])) return -1;
  return row;
}

void FillStatusList(QListWidget* list, const std::vector<StatusLine>& lines, int row) {
  const QSignalBlocker block(list);
  list->clear();
  for (const StatusLine& l : lines) list->addItem(Q(l.text).replace('\t', QStringLiteral("    ")));
  list->setCurrentRow(row);
}

}  // namespace zarim
