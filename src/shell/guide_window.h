// The user guide inside the program: the HTML guide in a browser window with its links,
// Back, Contents and a search line, so help needs no web browser.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace zarim {

class GuideWindow : public QDialog {
  Q_OBJECT

 public:
  // path: the guide's first page (help.h's HelpFilePath).
  explicit GuideWindow(const QString& path, QWidget* parent = nullptr);

  // Finds the next place of the search text from the cursor, wrapping round once;
  // false (and "Not found" beside the line) when the guide does not hold it.
  bool FindNext();

  QTextBrowser* browser() const { return browser_; }
  QLineEdit* search() const { return search_; }

 private:
  QTextBrowser* browser_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* back_ = nullptr;
};

// Shows the guide window of parent (one per parent), opening it on the guide's first
// page; returns it.
GuideWindow* ShowGuide(QWidget* parent, const QString& path);

}  // namespace zarim
