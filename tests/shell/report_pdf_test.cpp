// The telephone list written as a PDF without a printer holds every listed name, and the
// report faces resolve to the Liberation fonts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "core/text_codec.h"
#include "render/qt_canvas.h"
#include "reports/report_kind.h"
#include "reports/telephone_list.h"
#include "shell/report_printing.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

TEST(ReportFontsOnThisMachine, ArialIsLiberationSansAndTimesIsLiberationSerif) {
  QFontInfo arial(ToQFont(FontSpec{-13, 0, 400, false, false, 0, 34, "Arial"}));
  EXPECT_EQ(arial.family().toStdString(), "Liberation Sans");
  QFontInfo times(ToQFont(FontSpec{-10, 0, 400, false, false, 0, 18, "Times New Roman"}));
  EXPECT_EQ(times.family().toStdString(), "Liberation Serif");
}

class ReportPdfTest : public ::testing::Test {
 protected:
  ReportPdfTest() { StartEmpty(doc_, Date{2026, 12, 8}, dir_.path()); }

  QString PdfText(const QString& pdf) {
    QString exe = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (exe.isEmpty()) return {};
    QProcess p;
    p.start(exe, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  PrintJob Job(int kind, int group = 0) {
    PrintJob job;
    job.doc = &doc_;
    job.fonts = &fonts_;
    job.kind = kind;
    job.group = group;
    job.today = Date{2026, 12, 8};
    return job;
  }

  TempDir dir_;
  TempDir out_;  // PDF files are never written into the data folder
  CZarimDoc doc_;
  ReportFonts fonts_;
};

TEST_F(ReportPdfTest, TelephoneListPdfHoldsEveryListedName) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  // Enough people for several pages, names with letters of the code page.
  const char* firsts[] = {"Anna", "J\xFCrgen", "Zo\xEB", "Pedro", "Ingrid", "Chlo\xE9"};
  const char* lasts[] = {"M\xFCller", "Okafor", "Nguyen", "Garc\xED\x61", "Lindqvist", "Brown"};
  for (int i = 0; i < 140; ++i) {
    PubRecord r =
        MakePublisher(100 + i, firsts[i % 6], std::string(lasts[(i / 6) % 6]) + std::to_string(i));
    SetField(r.home_phone, "555-" + std::to_string(1000 + i));
    r.group = static_cast<int8_t>(1 + i % 2);
    AddRecord(doc_, r);
  }
  doc_.SortRecords();
  RefreshDerivedState(doc_);
  doc_.groups.count = 2;

  const QString path = QString::fromStdString(out_.File("phone.pdf"));
  ASSERT_TRUE(WriteReportPdf(Job(report_kind::kTelephoneCongregation), path));
  // ZARIM_KEEP_PDF=<file> keeps a copy for looking at the pages.
  if (const char* keep = std::getenv("ZARIM_KEEP_PDF")) {
    QFile::remove(QString::fromLocal8Bit(keep));
    QFile::copy(path, QString::fromLocal8Bit(keep));
  }
  QString text = PdfText(path);
  ASSERT_FALSE(text.isEmpty());
  auto entries = TelephoneListEntries(doc_, 0);
  ASSERT_EQ(entries.size(), 140u);
  for (const auto& e : entries) {
    QString name = QString::fromStdString(ToUtf8(e.name));
    EXPECT_TRUE(text.contains(name)) << e.name;
    EXPECT_TRUE(text.contains(QString::fromStdString(e.home))) << e.home;
  }
  EXPECT_TRUE(text.contains(QStringLiteral("( Confidential - Do Not Copy )")));
  // More than one page: the form feeds of pdftotext separate them.
  EXPECT_GE(text.count(QChar('\f')), 2);
}

TEST_F(ReportPdfTest, GroupListPdfHoldsOnlyTheGroup) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  PubRecord a = MakePublisher(10, "Alma", "One");
  a.group = 1;
  PubRecord b = MakePublisher(11, "Boris", "Two");
  b.group = 2;
  AddRecord(doc_, a);
  AddRecord(doc_, b);
  doc_.groups.count = 2;
  const QString path = QString::fromStdString(out_.File("group.pdf"));
  ASSERT_TRUE(WriteReportPdf(Job(report_kind::kTelephoneGroup, 2), path));
  QString text = PdfText(path);
  EXPECT_TRUE(text.contains(QStringLiteral("Boris Two")));
  EXPECT_FALSE(text.contains(QStringLiteral("Alma One")));
  EXPECT_TRUE(text.contains(QStringLiteral("Group # 2")));
}

TEST_F(ReportPdfTest, CopiesOfAPageRangeAreCollated) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  for (int i = 0; i < 200; ++i) {
    PubRecord r = MakePublisher(100 + i, "Person", "N" + std::to_string(1000 + i));
    AddRecord(doc_, r);
  }
  const QString path = QString::fromStdString(out_.File("copies.pdf"));
  QPdfWriter writer(path);
  writer.setResolution(300);
  writer.setPageSize(QPageSize(QPageSize::Letter));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
  PrintJob job = Job(report_kind::kTelephoneCongregation);
  ASSERT_GE(PrintedPageCount(job, writer, 300, 300, false), 3);
  // Pages 2 and 3, twice: 2, 3, 2, 3.
  EXPECT_EQ(RenderPages(job, writer, 300, 300, false, 2, 3, 2, nullptr), 4);
  QString text = PdfText(path);
  QStringList pages = text.split(QChar('\f'));
  ASSERT_GE(pages.size(), 4);
  auto first_name_on = [](const QString& page) {
    int at = page.indexOf(QStringLiteral("Person N"));
    return at < 0 ? QString() : page.mid(at, 12);
  };
  EXPECT_EQ(first_name_on(pages[0]), first_name_on(pages[2]));
  EXPECT_EQ(first_name_on(pages[1]), first_name_on(pages[3]));
  EXPECT_NE(first_name_on(pages[0]), first_name_on(pages[1]));
  EXPECT_NE(first_name_on(pages[0]), QStringLiteral("Person N1000"));  // page 1 is not printed
}

// A job stopped halfway (Cancel in the progress window) leaves the file that was there
// before, or none, never a half PDF.
TEST_F(ReportPdfTest, CanceledPdfLeavesNoHalfFile) {
  ReportSelection selection;
  selection.chosen = true;
  for (int i = 0; i < 6; ++i) {
    AddRecord(doc_, MakePublisher(100 + i, "Person", "N" + std::to_string(i)));
    RefreshDerivedState(doc_);
    selection.records.push_back(doc_.RecordNumberById(100 + i));
  }
  PrintJob job = Job(report_kind::kRecordCards);
  job.selection = &selection;
  struct StopAtThird : PageProgress {
    void Start(int) override {}
    bool Step(int drawn, int, int) override { return drawn < 2; }
    void Finish(int) override { finished = true; }
    bool finished = false;
  };
  const QString fresh = QString::fromStdString(out_.File("fresh.pdf"));
  StopAtThird stop;
  bool canceled = false;
  EXPECT_FALSE(RenderReportPdf(job, fresh, 300, &stop, &canceled));
  EXPECT_TRUE(canceled);
  EXPECT_FALSE(stop.finished);
  EXPECT_FALSE(QFile::exists(fresh));
  const QString kept = QString::fromStdString(out_.File("kept.pdf"));
  QFile old(kept);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("the earlier file");
  old.close();
  StopAtThird again;
  EXPECT_FALSE(RenderReportPdf(job, kept, 300, &again, &canceled));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("the earlier file"));
  const QStringList left = QDir(QString::fromStdString(out_.path()))
                               .entryList({QStringLiteral("*fresh*"), QStringLiteral("*kept*")},
                                          QDir::Files | QDir::Hidden);
  EXPECT_EQ(left, QStringList{QStringLiteral("kept.pdf")});  // no temporary file either
  // Uncanceled, the same job writes its six sheets.
  EXPECT_TRUE(RenderReportPdf(job, fresh, 300, nullptr, &canceled));
  EXPECT_FALSE(canceled);
  EXPECT_TRUE(QFile::exists(fresh));
}

TEST_F(ReportPdfTest, UnwritablePathIsReportedAsFailure) {
  const QString path = QString::fromStdString(out_.File("no/such/folder/x.pdf"));
  EXPECT_FALSE(WriteReportPdf(Job(report_kind::kTelephoneCongregation), path));
}

}  // namespace
}  // namespace zarim
