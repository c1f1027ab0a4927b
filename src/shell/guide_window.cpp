// The user guide window.
#include "shell/guide_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

GuideWindow::GuideWindow(const QString& path, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("guide_window"));
  setWindowTitle(Q(Sid::kGuideTitle));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose, false);

  back_ = MakeButton(Str(Sid::kGuideBack), this);
  QPushButton* home = MakeButton(Str(Sid::kGuideHome), this);
  auto* find_label = new QLabel(Q(Sid::kGuideFind), this);
  search_ = new QLineEdit(this);
  search_->setAccessibleName(Plain(Sid::kGuideFind).remove(':'));
  search_->setClearButtonEnabled(true);
  find_label->setBuddy(search_);
  QPushButton* next = MakeButton(Str(Sid::kGuideFindNext), this);
  result_ = new QLabel(this);

  browser_ = new QTextBrowser(this);
  browser_->setAccessibleName(Q(Sid::kAccGuideText));
  // Pages of the guide open here; links out of it (web addresses) go to the desktop.
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl::fromLocalFile(path));

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(home);
  bar->addSpacing(12);
  bar->addWidget(find_label);
  bar->addWidget(search_, 1);
  bar->addWidget(next);
  bar->addWidget(result_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);

  back_->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(next, &QPushButton::clicked, this, &GuideWindow::FindNext);
  connect(search_, &QLineEdit::returnPressed, this, &GuideWindow::FindNext);
  connect(search_, &QLineEdit::textChanged, result_, &QLabel::clear);
  // Enter in the search line searches; it must not close the window as a default button.
  for (QPushButton* b : {back_, home, next}) b->setAutoDefault(false);

  setTabOrder(back_, home);
  setTabOrder(home, search_);
  setTabOrder(search_, next);
  setTabOrder(next, browser_);
  resize(760, 640);
}

bool GuideWindow::FindNext() {
  const QString text = search_->text();
  if (text.isEmpty()) return false;
  bool found = browser_->find(text);
  if (!found) {
    // From the top once more before giving up.
    QTextCursor cursor = browser_->textCursor();
    cursor.movePosition(QTextCursor::Start);
    browser_->setTextCursor(cursor);
    found = browser_->find(text);
  }
  result_->setText(found ? QString() : Q(Sid::kGuideNotFound));
  return found;
}

GuideWindow* ShowGuide(QWidget* parent, const QString& path) {
  auto* guide =
      parent ? parent->findChild<GuideWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!guide) guide = new GuideWindow(path, parent);
  guide->show();
  guide->raise();
  guide->activateWindow();
  return guide;
}

}  // namespace zarim
