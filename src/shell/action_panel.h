// The action panel: the large buttons of the everyday tasks, shown over the report view
// while no report is on display.
#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;

namespace zarim {

class CMainFrame;
struct PanelButton;

class ActionPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ActionPanel(CMainFrame& frame, QWidget* parent = nullptr);

  // Enables the buttons for the document's state and shows or hides the return button of
  // the history view.
  void Refresh();
  // The button of a command, null when the panel has none for it.
  QPushButton* ButtonFor(int command) const;
  QPushButton* history_return_button() const { return history_return_; }
  // The working month at a glance, above the buttons; Refresh brings it up to date.
  QLabel* glance() const { return glance_; }

 private:
  struct Entry {
    const PanelButton* button_spec;
    QPushButton* button;
  };
  CMainFrame& frame_;
  std::vector<Entry> entries_;
  QPushButton* history_return_ = nullptr;
  QLabel* glance_ = nullptr;
};

}  // namespace zarim
