// The action panel's buttons: one per everyday task whose command exists in this build,
// and the return button of the history view.
#include "shell/action_panel.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/command_catalog.h"
#include "core/document.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "reports/overview.h"
#include "shell/main_window.h"

namespace zarim {

namespace {
// The first twelve buttons form the left column, the rest the right one.
constexpr int kLeftColumn = 12;
}  // namespace

ActionPanel::ActionPanel(CMainFrame& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
  setAccessibleName(Q(Str(Sid::kAccActionPanel)));
  auto* outer = new QVBoxLayout(this);
  auto* caption = new QLabel(Q(Str(Sid::kPanelCaption)), this);
  QFont big = caption->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  caption->setFont(big);
  caption->setAlignment(Qt::AlignCenter);
  outer->addWidget(caption);
  // The figures change with every posted slip, correction and month turn: each command
  // ends in the main window's refresh, which refreshes this panel.
  glance_ = new QLabel(this);
  glance_->setAccessibleName(Q(Str(Sid::kAccGlance)));
  glance_->setTextFormat(Qt::PlainText);
  glance_->setAlignment(Qt::AlignCenter);
  glance_->setWordWrap(true);
  outer->addWidget(glance_);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(24);
  int index = 0;
  int rows[2] = {0, 0};  // the next free row of each column
  for (const PanelButton& b : PanelButtons()) {
    const int pos = index++;
    // A task without a command in this build has no button, and its place closes up.
    if (!frame_.commands().Has(b.command)) continue;
    auto* button = new QPushButton(Q(Str(b.caption)), this);
    button->setMinimumHeight(34);
    button->setAutoDefault(true);  // Enter presses the focused task, as Space does
    button->setAccessibleName(Plain(button->text()));
    if (const CommandInfo* info = FindCommand(b.command); info && info->status_text != kNoSid) {
      button->setToolTip(Q(Str(info->status_text)));
      button->setWhatsThis(button->toolTip());
    }
    const int command = b.command;
    connect(button, &QPushButton::clicked, this,
            [this, command] { frame_.RunCommand(command, false); });
    const int column = pos < kLeftColumn ? 0 : 1;
    grid->addWidget(button, rows[column]++, column);
    entries_.push_back({&b, button});
  }
  history_return_ = new QPushButton(this);
  history_return_->setMinimumHeight(34);
  history_return_->setAutoDefault(true);
  connect(history_return_, &QPushButton::clicked, this,
          [this] { frame_.RunCommand(kCmdHistoryReturn, false); });
  grid->addWidget(history_return_, rows[1], 1);
  outer->addLayout(grid);
  outer->addStretch(1);

  // Tab order follows the columns: down the left one, then down the right one.
  QWidget* previous = nullptr;
  for (const Entry& e : entries_) {
    if (previous) setTabOrder(previous, e.button);
    previous = e.button;
  }
  if (previous) setTabOrder(previous, history_return_);
}

QPushButton* ActionPanel::ButtonFor(int command) const {
  for (const Entry& e : entries_)
    if (e.button_spec->command == command) return e.button;
  return nullptr;
}

void ActionPanel::Refresh() {
  const CZarimDoc& doc = frame_.doc();
  const Congregation* owner = frame_.services().congregation;
  const std::vector<std::string> lines = MonthAtGlanceLines(
      owner ? ComputeMonthAtGlance(doc, owner->pending_corrections()) : ComputeMonthAtGlance(doc));
  QString text;
  for (size_t i = 0; i < lines.size(); ++i)
    text += (i == 0   ? QString()
             : i == 1 ? QStringLiteral("\n")
                      : QStringLiteral("   ")) +
            Q(lines[i]);
  glance_->setText(text);
  glance_->setAccessibleDescription(text);
  for (const Entry& e : entries_) e.button->setEnabled(PanelButtonEnabled(*e.button_spec, doc));
  const bool shown = HistoryReturnShown(doc) && frame_.commands().Has(kCmdHistoryReturn);
  history_return_->setVisible(shown);
  history_return_->setEnabled(shown);
  if (shown) {
    QString caption = Q(HistoryReturnCaption(doc));
    history_return_->setText(caption);
    history_return_->setAccessibleName(caption);
  }
}

}  // namespace zarim
