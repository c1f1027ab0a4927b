// Qt implementations of the ports.
#include "shell/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

QMessageBox::StandardButton ToQt(Answer a) {
  switch (a) {
    case Answer::kOk:
      return QMessageBox::Ok;
    case Answer::kCancel:
      return QMessageBox::Cancel;
    case Answer::kYes:
      return QMessageBox::Yes;
    case Answer::kNo:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

Answer QtPrompter::Ask(std::string_view text, Buttons buttons, Answer default_answer) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(Q(Str(Sid::kAppName)));
  box.setText(Q(text));
  box.setAccessibleName(Q(Str(Sid::kAppName)));
  box.setAccessibleDescription(Q(text));
  QMessageBox::StandardButtons set = QMessageBox::Ok;
  QMessageBox::StandardButton escape = QMessageBox::Ok;
  switch (buttons) {
    case Buttons::kOk:
      break;
    case Buttons::kOkCancel:
      set = QMessageBox::Ok | QMessageBox::Cancel;
      escape = QMessageBox::Cancel;
      break;
    case Buttons::kYesNo:
      set = QMessageBox::Yes | QMessageBox::No;
      escape = QMessageBox::No;
      break;
    case Buttons::kYesNoCancel:
      set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      escape = QMessageBox::Cancel;
      break;
  }
  box.setStandardButtons(set);
  box.setDefaultButton(ToQt(default_answer));
  box.setEscapeButton(escape);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Answer::kOk;
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    default:
      return buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
  }
}

void QtPrompter::BeginBusy(std::string_view caption, std::string_view text) {
  if (!busy_) {
    busy_ = new QWidget(QApplication::activeWindow(), Qt::Dialog | Qt::WindowTitleHint);
    busy_->setAttribute(Qt::WA_DeleteOnClose);
    busy_->setWindowModality(Qt::ApplicationModal);
    busy_->setAccessibleName(Q(Str(Sid::kAccWaitWindow)));
    auto* layout = new QVBoxLayout(busy_);
    busy_text_ = new QLabel(busy_);
    busy_bar_ = new QProgressBar(busy_);
    busy_bar_->setVisible(false);
    layout->addWidget(busy_text_);
    layout->addWidget(busy_bar_);
  }
  busy_->setWindowTitle(Q(caption));
  busy_text_->setText(Q(text));
  busy_text_->setAccessibleName(Q(text));
  busy_->show();
  busy_->raise();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPrompter::EndBusy() {
  if (busy_) busy_->close();
  busy_ = nullptr;
  busy_text_ = nullptr;
  busy_bar_ = nullptr;
}

void QtPrompter::Progress(int done, int total) {
  if (busy_ && busy_bar_ && total > 0) {
    busy_bar_->setVisible(true);
    busy_bar_->setRange(0, total);
    busy_bar_->setValue(done);
  }
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

Dialer::Result QtDialer::Dial(std::string_view number, std::string_view /*app_name*/,
                              std::string_view /*called_name*/) {
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (opener.isEmpty()) return Result::kNoService;
  // The number holds only dialable characters (DialableNumber), so it cannot become an
  // option of xdg-open.
  return QProcess::startDetached(opener, {"tel:" + Q(number)}) ? Result::kPlaced
                                                               : Result::kNoService;
}

bool QtDesktopShell::Open(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void QtClipboard::SetText(std::string_view utf8) { QApplication::clipboard()->setText(Q(utf8)); }

std::string QtClipboard::Text() const { return QApplication::clipboard()->text().toStdString(); }

std::string QtPrinterQuery::DefaultPrinter() const {
  return QPrinterInfo::defaultPrinterName().toStdString();
}

}  // namespace zarim
