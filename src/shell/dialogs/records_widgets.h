// Small widget helpers shared by the publisher-record dialogs: texts from UTF-8, a date
// as three drop-down lists, buttons that never steal Enter, and a list chooser.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QString>
#include <string>
#include <vector>

#include "records/record_dates.h"

class QGridLayout;
class QWidget;

namespace zarim {

inline QString QStr(const std::string& s) { return QString::fromStdString(s); }
inline std::string StdStr(const QString& s) { return s.toStdString(); }
// The accessible name of a caption: without "&" and surrounding blanks.
inline QString Plain(const std::string& caption) { return QStr(caption).remove('&').trimmed(); }

// A push button with a caption, an accessible name and no default-button behaviour.
QPushButton* MakeButton(const std::string& caption, QWidget* parent);

// Month, day and year lists of a record date.
struct DateBoxes {
  QComboBox* month = nullptr;
  QComboBox* day = nullptr;
  QComboBox* year = nullptr;
  void Create(QWidget* parent, const QString& name, int first_year, int last_year);
  void Set(const DateParts& d);
  DateParts Get() const;
  void SetVisible(bool on);
  void SetEnabled(bool on);
  int first_year = kFirstListYear;
};

// A modal list of texts to choose one from; the index chosen or -1. Keyboard: arrows,
// Enter, Esc.
int ChooseFromList(QWidget* parent, const QString& title, const std::vector<std::string>& items,
                   const std::vector<bool>& selectable = {}, int preselect = 0);

}  // namespace zarim
