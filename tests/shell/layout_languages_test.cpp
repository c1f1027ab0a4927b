// The layout holds in every language the program ships: in each catalog, every caption of
// every dialog shows whole and every text of every report stays in its cell and page; and
// the checks find each kind of cut.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <QTest>
#include <QVBoxLayout>

#include "core/strings.h"
#include "demo_congregation.h"
#include "dialog_registry.h"
#include "render/layout_check.h"
#include "shell/caption_check.h"
#include "shell/window_fit.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Reads the string table through one catalog for the length of a test.
class InLanguage : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (*GetParam()) {
      ASSERT_GT(UseCatalog(GetParam(), ZARIM_TEST_LOCALEDIR), 1000);
    }
  }
  void TearDown() override { UseCatalog("", ZARIM_TEST_LOCALEDIR); }
};

TEST_P(InLanguage, EveryDialogShowsItsCaptionsWhole) {
  InstallWindowFitter();
  for (const auto& entry : testing::AllDialogs()) {
    testing::DialogWorld world;
    testing::BuiltDialog built = entry.build(world);
    built.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(built.dialog.get())) << entry.class_name;
    QApplication::processEvents();
    EXPECT_THAT(CutCaptions(built.dialog.get()), IsEmpty()) << entry.class_name;
    built.dialog->hide();
  }
}

TEST_P(InLanguage, EveryReportKeepsItsTextsInTheirCells) {
  testing::TempDir folder;
  CZarimDoc doc;
  doc.data_folder = folder.path();
  demo::BuildDemo(doc, {});
  ReportSelection chosen;  // the cards and labels of a few people
  chosen.chosen = true;
  chosen.records = {0, 1, 2, 3};
  EXPECT_THAT(CutReportTexts(doc, chosen, Date{2026, 12, 8}), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, InLanguage, ::testing::Values("", "fr", "es", "pt", "pl", "ru"),
                         [](const auto& info) {
                           return std::string(*info.param ? info.param : "en");
                         });

// Each kind of cut a report text can suffer, on a 200 dot wide page.
TEST(LayoutCheck, FindsEachKindOfCutText) {
  QTemporaryFile file;
  ASSERT_TRUE(file.open());
  QPdfWriter device(file.fileName());
  device.setResolution(300);
  MeasuringRecorder drawing(&device, 300);
  drawing.SetFont(FontSpec{-40});
  drawing.DrawText(0, 0, "ok");
  drawing.DrawText(190, 100, "off");  // past the page's right edge
  drawing.DrawLine(40, 200, 40, 260);
  drawing.DrawText(10, 200, "rule");  // across the line at 40
  drawing.DrawText(0, 300, "left");
  drawing.DrawText(30, 305, "right");  // on the same line, over "left"
  drawing.SetClip(0, 400, 20, 460);
  drawing.DrawText(0, 400, "clip");
  drawing.ClearClip();
  EXPECT_THAT(
      CutTexts(drawing, 200),
      ElementsAre("\"off\" runs off the page", "\"rule\" crosses the rule at 40",
                  ::testing::StartsWith("\"left\" runs into \"right\""), "\"clip\" is clipped"));
}

// A caption narrower than its text, and one outside its dialog.
TEST(LayoutCheck, FindsCutAndMisplacedCaptions) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(QStringLiteral("A long caption that needs room"), &dialog);
  layout->addWidget(label);
  layout->addWidget(new QCheckBox(QStringLiteral("&Whole"), &dialog));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_THAT(CutCaptions(&dialog), IsEmpty());
  label->setFixedWidth(20);
  auto* outside = new QCheckBox(QStringLiteral("&Outside"), &dialog);
  outside->move(dialog.width() - 5, 0);
  outside->show();
  QApplication::processEvents();
  EXPECT_THAT(CutCaptions(&dialog), ElementsAre("\"A long caption that needs room\" is cut",
                                                "\"&Outside\" lies outside its window"));
}

}  // namespace
}  // namespace zarim
