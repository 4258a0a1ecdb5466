#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/program_folder.h"
#include "diagnostics/diag_log.h"
#include "diagnostics/pid_rotation.h"
#include "diagnostics_rig.h"

namespace kelvra::testing {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A folder of its own as the program's folder, removed at the end.
class ProgramFolderFixture {
 public:
  ProgramFolderFixture()
      : folder_(std::filesystem::temp_directory_path() /
                ("kelvra-diag-" + std::to_string(::getpid()) + "-" + std::to_string(++count_))) {
    std::filesystem::create_directories(folder_);
    SetProgramFolder(folder_.string());
  }
  ~ProgramFolderFixture() {
    SetProgramFolder("");
    std::filesystem::remove_all(folder_);
  }
  const std::filesystem::path& Path() const { return folder_; }

 private:
  static inline int count_ = 0;
  std::filesystem::path folder_;
};

TEST(PidRotation, NextRowAfterTheCursorThenFromTheTop) {
  diagnostics::RowSelection rows{};
  EXPECT_EQ(diagnostics::NextPolledRow(rows, -1), -1);
  rows[3] = rows[8] = true;
  EXPECT_EQ(diagnostics::NextPolledRow(rows, 8), 3);
  EXPECT_EQ(diagnostics::NextPolledRow(rows, 3), 8);
  rows = {};
  rows[13] = true;
  EXPECT_EQ(diagnostics::NextPolledRow(rows, 13), 13);  // the cursor row itself comes round again
  rows[15] = true;
  EXPECT_EQ(diagnostics::NextPolledRow(rows, 13), 15);  // 012F takes part in the rotation
  EXPECT_EQ(diagnostics::NextPolledRow(rows, 15), 13);
}

TEST(DiagnosticDisplay, RowsThreeAndEightAlternateOneRequestPerAnswer) {
  DiagnosticsRig rig;
  rig.ToggleRows({3, 8});
  rig.Click(rig.visualise);
  EXPECT_EQ(rig.visualise.Caption(), "Désactiver");
  rig.Answer("41 07 80");
  rig.Answer("41 0C 0F A0");
  rig.Answer("41 07 80");
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"0107", "010C", "0107", "010C"}));
  EXPECT_EQ(rig.diag.live.display.PollCursor(), 8);
}

TEST(DiagnosticDisplay, RowThirteenAloneIsAskedAgainAsALoneCr) {
  DiagnosticsRig rig;
  rig.ToggleRows({13});
  rig.Click(rig.visualise);
  rig.Answer("41 11 40");
  rig.Answer("41 11 40");
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"0111", "0111", "0111"}));
  EXPECT_EQ(rig.link.port.wire, "0111\r\r\r");
}

TEST(DiagnosticDisplay, NoRowCheckedSendsNothing) {
  DiagnosticsRig rig;
  rig.Click(rig.visualise);
  EXPECT_TRUE(rig.state.diagDisplayOn);
  EXPECT_TRUE(rig.Requests().empty());
  EXPECT_EQ(rig.diag.live.display.PollCursor(), -1);
}

TEST(DiagnosticDisplay, DisplayTextsNeverAnsweredThenValueKeptAfterUnchecking) {
  DiagnosticsRig rig;
  EXPECT_EQ(rig.Display(0), "Charge calculée (%)");  // the label alone before the first step
  rig.ToggleRows({0, 8});
  rig.Click(rig.visualise);
  EXPECT_EQ(rig.Display(0), "Charge calculée (%) : N/A");
  EXPECT_EQ(rig.Display(15), "Niveau d'essence (%) : N/A");
  rig.Answer("41 04 64");  // 100 × 100/255 as a single
  EXPECT_EQ(rig.Display(0), "Charge calculée (%) : 39,2156867980957");
  rig.Answer("41 0C 09 C4");
  EXPECT_EQ(rig.Display(8), "Régime (tr/mn) : 625");
  rig.ToggleRows({0});
  rig.Answer("41 0C 0F A0");
  EXPECT_EQ(rig.Display(0), "Charge calculée (%) : 39,2156867980957");
  EXPECT_EQ(rig.Display(8), "Régime (tr/mn) : 1000");
  // An answer that matches no row leaves every slot and the rotation goes on.
  rig.Answer("NO DATA");
  EXPECT_EQ(rig.Display(8), "Régime (tr/mn) : 1000");
  EXPECT_EQ(rig.Requests().back(), "010C");
  EXPECT_EQ(rig.Requests().size(), 5u);
}

TEST(DiagnosticDisplay, TurningOffCancelsTheChartAndTheSpeedSamples) {
  DiagnosticsRig rig;
  rig.ToggleRows({9});
  rig.Click(rig.visualise);
  rig.Answer("41 0D 32");
  EXPECT_EQ(rig.state.lastSpeed, 50);
  rig.state.auxRequest = 2;
  rig.Click(rig.visualise);
  EXPECT_FALSE(rig.state.diagDisplayOn);
  EXPECT_EQ(rig.visualise.Caption(), "Activer visualisation");
  EXPECT_EQ(rig.state.auxRequest, 0);
  EXPECT_EQ(rig.state.lastSpeed, -1);
  EXPECT_TRUE(rig.diag.accTimer.Running());  // row 9 still checked
  rig.ToggleRows({9});
  EXPECT_FALSE(rig.diag.accTimer.Running());
}

TEST(DiagLog, LineFormatAndFileNameSearch) {
  EXPECT_EQ(diagnostics::DiagLogLine(40155.6314220139, "010C", "2500"),
            "40155,6314220139<010C>2500\r\n");
  ProgramFolderFixture folder;
  std::ofstream(folder.Path() / "logdiag1.log") << "x";
  std::ofstream(folder.Path() / "logdiag2.log") << "x";
  EXPECT_EQ(diagnostics::NextDiagLogFile(folder.Path().string()),
            (folder.Path() / "logdiag3.log").string());
}

TEST(DiagnosticDisplay, LogsEachDecodedAnswerLineByLineIncludingUncheckedRows) {
  ProgramFolderFixture folder;
  std::ofstream(folder.Path() / "logdiag1.log") << "x";
  std::ofstream(folder.Path() / "logdiag2.log") << "x";
  DiagnosticsRig rig;
  rig.link.env.clock.SetNow(40155.6314220139);
  auto& logBox = rig.diag.panel.display.logBox;
  auto& logName = rig.diag.panel.display.logName;
  EXPECT_EQ(logName.Text(), "logdiag1.log");
  logName.SetText("/somewhere/typed.log");  // always replaced by the name found
  logBox.UserToggle();
  const std::filesystem::path path = folder.Path() / "logdiag3.log";
  EXPECT_EQ(logName.Text(), path.string());
  ASSERT_TRUE(std::filesystem::exists(path));

  rig.ToggleRows({8});
  rig.Click(rig.visualise);
  rig.Answer("41 0C 27 10");
  // On the disk at once, while the file is still open.
  EXPECT_EQ(ReadFile(path), "40155,6314220139<010C>2500\r\n");
  rig.Answer("41 0B 62");  // a row that is not checked is logged too
  rig.Answer("NO DATA");   // nothing decoded: no line
  logBox.UserToggle();
  rig.Answer("41 0C 27 10");  // unchecked: no more lines
  EXPECT_EQ(ReadFile(path), "40155,6314220139<010C>2500\r\n40155,6314220139<010B>98\r\n");
}

TEST(DiagnosticDisplay, ALogThatCannotBeCreatedIsReportedAndUnchecked) {
  SetProgramFolder("/nonexistent-kelvra-folder/sub");
  DiagnosticsRig rig;
  auto& logBox = rig.diag.panel.display.logBox;
  logBox.UserToggle();
  SetProgramFolder("");
  EXPECT_FALSE(logBox.Checked());
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_NE(rig.dialogs.messages[0].find("Impossible de créer le fichier"), std::string::npos);
  EXPECT_NE(rig.dialogs.messages[0].find("logdiag1.log"), std::string::npos);
  EXPECT_FALSE(rig.diag.live.display.Log().IsOpen());
}

// A log that stops being writable (a full disk) closes, unchecks its box and says so once; the
// polling goes on.
TEST(DiagnosticDisplay, ALogThatCannotBeWrittenStopsAndTheRotationGoesOn) {
  DiagnosticsRig rig;
  rig.diag.live.display.OpenDiagLogAt("/dev/full");
  auto& logBox = rig.diag.panel.display.logBox;
  EXPECT_TRUE(logBox.Checked());
  EXPECT_EQ(rig.diag.panel.display.logName.Text(), "/dev/full");
  rig.ToggleRows({8});
  rig.Click(rig.visualise);
  rig.Answer("41 0C 0F A0");
  rig.Answer("41 0C 0F A0");
  EXPECT_FALSE(logBox.Checked());
  EXPECT_FALSE(rig.diag.live.display.Log().IsOpen());
  ASSERT_EQ(rig.dialogs.errors.size(), 1u);
  EXPECT_NE(rig.dialogs.errors[0].find("/dev/full"), std::string::npos);
  EXPECT_EQ(rig.Requests().size(), 3u);
  EXPECT_EQ(rig.Display(8), "Régime (tr/mn) : 1000");
}

}  // namespace
}  // namespace kelvra::testing
