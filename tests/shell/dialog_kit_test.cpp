// The binding kit: what a screen reader hears of a caption, and the OK/Cancel row.
#include "shell/dialogs/dialog_kit.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>

namespace zarim {
namespace {

TEST(DialogKit, PlainDropsAccessKeyMarksButKeepsALiteralAmpersand) {
  const struct {
    const char* caption;
    const char* spoken;
  } cases[] = {
      {"&Edit...", "Edit..."},
      {"Telephone && E-mail", "Telephone & E-mail"},
      {"&Elders && Ministerial Servants", "Elders & Ministerial Servants"},
      {"  Save &As  ", "Save As"},
      {"Trailing &", "Trailing &"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Plain(std::string_view(c.caption)), QString::fromUtf8(c.spoken)) << c.caption;
}

TEST(DialogKit, OkCancelRowTakesTheTableCaptionsAndClosesTheDialog) {
  QDialog dialog;
  const OkCancelRow row = MakeOkCancel(&dialog);
  EXPECT_EQ(row.ok->text(), Q(Sid::kOkButton));
  EXPECT_EQ(row.cancel->text(), Q(Sid::kCancelButton));
  EXPECT_EQ(row.ok->accessibleName(), Plain(Sid::kOkButton));
  EXPECT_EQ(row.box->buttonRole(row.cancel), QDialogButtonBox::RejectRole);

  QSignalSpy accepted(&dialog, &QDialog::accepted);
  QSignalSpy rejected(&dialog, &QDialog::rejected);
  row.ok->click();
  row.cancel->click();
  EXPECT_EQ(accepted.count(), 1);
  EXPECT_EQ(rejected.count(), 1);

  // Unwired, the dialog answers the buttons itself.
  QDialog own;
  const OkCancelRow unwired = MakeOkCancel(&own, Sid::kOk, Sid::kCancel, false);
  QSignalSpy own_accepted(&own, &QDialog::accepted);
  unwired.ok->click();
  EXPECT_EQ(own_accepted.count(), 0);
  EXPECT_EQ(unwired.ok->text(), Q(Sid::kOk));
}

}  // namespace
}  // namespace zarim
