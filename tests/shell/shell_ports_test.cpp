// The desktop adapters: the waiting window of saves, the single running copy, the About
// box text and the settings file seen as the reports' profile.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>

#include "core/settings.h"
#include "shell/qt_ports.h"
#include "shell/settings_profile.h"
#include "shell/single_instance.h"
#include "support/test_support.h"

namespace zarim {
namespace {

TEST(QtPrompter, BusyWindowShowsCaptionAndTextUntilEnded) {
  QtPrompter prompter;
  prompter.BeginBusy("Wait .....", "Saving your data");
  QWidget* busy = prompter.busy_window();
  ASSERT_NE(busy, nullptr);
  EXPECT_TRUE(busy->isVisible());
  EXPECT_EQ(busy->windowTitle(), "Wait .....");
  bool text_found = false;
  for (QLabel* l : busy->findChildren<QLabel*>()) text_found |= l->text() == "Saving your data";
  EXPECT_TRUE(text_found);
  prompter.Progress(3, 10);
  prompter.EndBusy();
  EXPECT_EQ(prompter.busy_window(), nullptr);
}

TEST(SingleInstance, ASecondStartReachesTheFirstCopy) {
  const QString name =
      SingleInstance::NameFor("test" + std::to_string(QCoreApplication::applicationPid()));
  SingleInstance first(name);
  EXPECT_FALSE(first.AnotherIsRunning());
  int activations = 0;
  ASSERT_TRUE(first.Listen([&] { ++activations; }));
  SingleInstance second(name);
  EXPECT_TRUE(second.AnotherIsRunning());
  QElapsedTimer timer;
  timer.start();
  while (activations == 0 && timer.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(activations, 1);
  // Another data folder is another program.
  SingleInstance other(
      SingleInstance::NameFor("other" + std::to_string(QCoreApplication::applicationPid())));
  EXPECT_FALSE(other.AnotherIsRunning());
}

TEST(SingleInstance, NameIsOnePerFolderWhateverPathNamesIt) {
  testing::TempDir a, b;
  EXPECT_EQ(SingleInstance::NameFor(a.path()), SingleInstance::NameFor(a.path() + "/."));
  EXPECT_NE(SingleInstance::NameFor(a.path()), SingleInstance::NameFor(b.path()));
}

TEST(IniProfile, FontSectionsGoThroughTheSettingsFile) {
  IniFile ini;
  ini.Parse("[Title Font]\r\nHeight=-20\r\n");
  IniProfile profile(ini);
  EXPECT_EQ(profile.GetInt("title font", "height", 0), -20);
  profile.SetString("Small Font", "FaceName", "Arial");
  EXPECT_EQ(ini.GetString("SMALL FONT", "FACENAME", ""), "Arial");
}

}  // namespace
}  // namespace zarim
