// Printing through the system's CUPS: run by with_cups_pdf_queue.sh, which starts a CUPS
// server of its own with one cups-pdf queue (or none). The telephone list and the branch
// page printed on the queue come back as PDF files that hold their text; without any
// queue, Print says that no printer is available.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>

#include "core/document.h"
#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "reports/branch_report.h"
#include "reports/report_kind.h"
#include "reports/telephone_list.h"
#include "shell/report_printing.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

QString Env(const char* name) { return QString::fromLocal8Bit(std::getenv(name)); }

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Waits until the server has no unfinished job and `count` PDF files are in the queue's
// folder; returns them in the order written.
QStringList WaitForPdfs(int count) {
  QDir out(Env("ZARIM_TEST_PDF_DIR"));
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 120000) {
    const bool idle = RunTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty();
    QStringList pdfs =
        out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed);
    if (idle && pdfs.size() >= count) {
      for (QString& f : pdfs) f = out.filePath(f);
      return pdfs;
    }
    QThread::msleep(200);
  }
  return {};
}

class CupsPrinting : public ::testing::Test {
 protected:
  CupsPrinting() { StartEmpty(doc_, Date{2026, 12, 8}, dir_.path()); }
  PrintJob Job(int kind) {
    PrintJob job;
    job.doc = &doc_;
    job.fonts = &fonts_;
    job.kind = kind;
    job.today = Date{2026, 12, 8};
    return job;
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  CZarimDoc doc_{&prompter_};
  ReportFonts fonts_;
};

TEST_F(CupsPrinting, WithoutAnyQueuePrintSaysNoPrinterIsAvailable) {
  if (Env("CUPS_SERVER").isEmpty() || !Env("ZARIM_TEST_QUEUE").isEmpty())
    GTEST_SKIP() << "runs under with_cups_pdf_queue.sh with ZARIM_TEST_NO_QUEUE=1";
  EXPECT_TRUE(QPrinterInfo::availablePrinters().isEmpty());
  ScriptedPrompter prompter;
  prompter.Script(Answer::kNo);  // the offer of a PDF file instead is declined
  EXPECT_TRUE(PrintReport(nullptr, Job(report_kind::kTelephoneCongregation), prompter).isEmpty());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], Str(Sid::kNoPrinterSavePdf));
  EXPECT_EQ(PrintOnPrinter(Job(report_kind::kTelephoneCongregation), QString(), nullptr), 0);
}

TEST_F(CupsPrinting, TelephoneListAndBranchPageComeOutOfThePdfQueueWithTheirText) {
  const QString queue = Env("ZARIM_TEST_QUEUE");
  if (queue.isEmpty()) GTEST_SKIP() << "runs under with_cups_pdf_queue.sh";
  ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty());
  const char* firsts[] = {"Anna", "J\xFCrgen", "Pedro", "Ingrid"};
  for (int i = 0; i < 12; ++i) {
    PubRecord r = MakePublisher(100 + i, firsts[i % 4], "Queue" + std::to_string(i));
    SetField(r.home_phone, "555-" + std::to_string(2000 + i));
    AddRecord(doc_, r);
  }
  doc_.SortRecords();
  RefreshDerivedState(doc_);
  ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue));

  EXPECT_GE(PrintOnPrinter(Job(report_kind::kTelephoneCongregation), queue, nullptr), 1);
  EXPECT_GE(PrintOnPrinter(Job(kBranchReportKind), queue, nullptr), 1);
  const QStringList pdfs = WaitForPdfs(2);
  ASSERT_EQ(pdfs.size(), 2) << "the queue wrote no PDF; see "
                            << Env("ZARIM_TEST_CUPS_LOG").toStdString();

  const QString phone_list = RunTool(QStringLiteral("pdftotext"), {pdfs[0], QStringLiteral("-")});
  for (const auto& e : TelephoneListEntries(doc_, 0)) {
    EXPECT_TRUE(phone_list.contains(QString::fromStdString(ToUtf8(e.name)))) << e.name;
    EXPECT_TRUE(phone_list.contains(QString::fromStdString(e.home))) << e.home;
  }
  const QString branch = RunTool(QStringLiteral("pdftotext"), {pdfs[1], QStringLiteral("-")});
  EXPECT_TRUE(branch.contains(QString::fromStdString(ToUtf8(BranchReportTitle(doc_)))))
      << branch.toStdString();
}

}  // namespace
}  // namespace zarim
