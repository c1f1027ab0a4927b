// Small helpers of the status and attendance dialogs: texts from UTF-8, captions
// without their access key for screen readers, and list widgets filled from lines.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <string>
#include <vector>

#ifndef Q_MOC_RUN
#include "cycle/status_forms.h"
#include "cycle/status_lists.h"
#endif

namespace zarim::status_ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
// A caption as a screen reader should say it: no "&", no surrounding blanks.
inline QString Spoken(const std::string& caption) { return Q(caption).remove('&').trimmed(); }

inline QPushButton* Button(const std::string& caption, QWidget* parent) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setAccessibleName(Spoken(caption));
  return b;
}

// Fills a list with the lines' texts (tabs shown as wide gaps) and keeps row `row`
// current (-1: none).
inline void Fill(QListWidget* list, const std::vector<StatusLine>& lines, int row) {
  const QSignalBlocker block(list);
  list->clear();
  for (const StatusLine& l : lines) list->addItem(Q(l.text).replace('\t', QStringLiteral("    ")));
  list->setCurrentRow(row);
}

// A change of the current row in either list selects that entry in the form (which
// offers Select(ListSide, row)) and shows the form again.
template <typename Dialog, typename Form>
void ConnectListSides(Dialog* dialog, QListWidget* left, QListWidget* right, Form& form) {
  for (auto [list, side] : {std::pair{left, ListSide::kLeft}, std::pair{right, ListSide::kRight}}) {
    QObject::connect(list, &QListWidget::currentRowChanged, dialog, [dialog, &form, side = side](int row) {
      if (row < 0) return;
      form.Select(side, row);
      dialog->ShowForm();
    });
  }
}

}  // namespace zarim::status_ui
