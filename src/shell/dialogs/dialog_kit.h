// The binding kit of the desktop dialogs: texts from UTF-8 or a string id, captions as a
// screen reader says them, buttons, the OK/Cancel row with the string table's captions,
// record dates as three lists, a list chooser, the status lists and the month asker.
// Every dialog and command of the desktop binds its widgets through these helpers.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifndef Q_MOC_RUN
#include "core/strings.h"
#include "cycle/status_forms.h"
#include "cycle/status_lists.h"
#include "records/record_dates.h"
#include "shell/dialogs/select_month_dialog.h"
#endif

class QDialogButtonBox;
class QLabel;

namespace zarim {

// A QString from UTF-8 text, or from the string table.
QString Q(std::string_view utf8);
QString Q(Sid id);
inline std::string StdStr(const QString& s) { return s.toStdString(); }

// A caption without its access-key marks, as a screen reader or a tool tip says it:
// "&" before a letter goes, "&&" stays as one "&", surrounding blanks go.
QString Plain(const QString& caption);
QString Plain(std::string_view caption);
inline QString Plain(Sid id) { return Plain(Str(id)); }

// A push button with a caption and its accessible name; with the focus on it, Enter
// presses it as Space does.
QPushButton* MakeButton(std::string_view caption, QWidget* parent);

// The OK/Cancel row of a dialog, captioned from the string table and named for screen
// readers. Wired (the usual), OK accepts the dialog and Cancel and Esc reject it;
// unwired, the dialog connects the buttons itself. The caller places `box`.
struct OkCancelRow {
  QDialogButtonBox* box = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};
OkCancelRow MakeOkCancel(QDialog* dialog, Sid ok = Sid::kOkButton, Sid cancel = Sid::kCancelButton,
                         bool wired = true);

// Shows a value in a label and names the label by its value, so a screen reader says
// what is shown, after the caption when one is given ("Name: Anna Berg").
void ShowValue(QLabel* label, const QString& value, const QString& caption = {});

// Makes a text box wide enough to show `chars` typical characters of its font.
void FitCharacters(QWidget* box, int chars);

// Names the lists of one date for screen readers by the date's caption: "Birth date -
// Month", "Birth date - Day", "Birth date - Year". A list may be null.
void NameDateLists(const QString& caption, QComboBox* month, QComboBox* day, QComboBox* year);

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

// Fills a list with the lines' texts (tabs shown as wide gaps) and keeps row `row`
// current (-1: none).
void FillStatusList(QListWidget* list, const std::vector<StatusLine>& lines, int row);

// A change of the current row in either list selects that entry in the form (which
// offers Select(ListSide, row)) and shows the form again.
template <typename Dialog, typename Form>
void ConnectListSides(Dialog* dialog, QListWidget* left, QListWidget* right, Form& form) {
  for (auto [list, side] : {std::pair{left, ListSide::kLeft}, std::pair{right, ListSide::kRight}}) {
    QObject::connect(list, &QListWidget::currentRowChanged, dialog,
                     [dialog, &form, side = side](int row) {
                       if (row < 0) return;
                       form.Select(side, row);
                       dialog->ShowForm();
                     });
  }
}

}  // namespace zarim
