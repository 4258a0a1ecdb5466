#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "acquisition/run_file.h"
#include "acquisition/run_file_chooser.h"
#include "common/program_folder.h"
#include "recorder_rig.h"

namespace kelvra::acquisition {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A run of 17 samples every 0.5 s from 0 to 8 s: the plot shows 9 seconds over 369 pixels, so
// 41 pixels a second and x = 30 + 41 t.
class RunSelectionTest : public ::testing::Test {
 protected:
  RunSelectionTest() {
    std::filesystem::create_directories(folder);
    SetProgramFolder(folder.string());
    rig.station.btWrpm.UserClick();
    rig.AnswerRpm(2000);
    for (int i = 1; i <= 16; ++i)
      rig.AnswerRpmAfter(500, 2000 + 100 * i);
    panel.stop.UserClick();
  }
  ~RunSelectionTest() override {
    SetProgramFolder("");
    std::filesystem::remove_all(folder);
  }

  void Drag(int from, int to) {
    panel.plot.UserMouseDown({form::MouseButton::Left, from, 50});
    panel.plot.UserMouseMove({form::MouseButton::Left, to, 50});
    panel.plot.UserMouseUp({form::MouseButton::Left, to, 50});
  }
  std::string ExportTo(const std::string& name) {
    const std::filesystem::path path = folder / name;
    rig.env.dialogs.saveAnswers.push_back(path.string());
    panel.exportButton.UserClick();
    return ReadBytes(path);
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-selection-" + std::to_string(::getpid()));
  testing::RecorderRig rig;
  RecorderPanel& panel = rig.rec.panel;
};

TEST_F(RunSelectionTest, ExportsTheWindowWithBothBoundsIncluded) {
  Drag(71, 153);  // 1 s to 3 s
  EXPECT_EQ(panel.selectionText.Text(), "1s -> 3s");
  EXPECT_TRUE(panel.selectionFrame.Visible());
  EXPECT_EQ(panel.selectionFrame.GetBounds().left, panel.plot.GetBounds().left + 71);
  EXPECT_EQ(panel.selectionFrame.GetBounds().width, 82);
  ASSERT_TRUE(panel.exportButton.Enabled());

  EXPECT_EQ(ExportTo("run.txt"), "0;2200\r\n0,5;2300\r\n1;2400\r\n1,5;2500\r\n2;2600\r\n");
  const auto& request = rig.env.dialogs.fileRequests.back();
  EXPECT_EQ(request.filter,
            "Fichier texte (*.txt)|*.txt|Fichier CSV (*.csv)|*.csv|Fichier RPM (*.rpm)|*.rpm|"
            "Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(request.initialDir, folder.string());
  const auto lines = rig.StateLines();
  EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
            (std::vector<std::string>{"Démarrage de l'extraction.", "Extraction terminée."}));
}

TEST_F(RunSelectionTest, DragToTheLeftGivesAnEmptyFile) {
  panel.plot.UserMouseDown({form::MouseButton::Left, 153, 50});
  panel.plot.UserMouseMove({form::MouseButton::Left, 160, 50});
  panel.plot.UserMouseMove({form::MouseButton::Left, 100, 50});  // left of the start: no change
  EXPECT_EQ(panel.selectionFrame.GetBounds().width, 7);
  panel.plot.UserMouseUp({form::MouseButton::Left, 71, 50});
  EXPECT_EQ(panel.selectionFrame.GetBounds().width, 7);
  EXPECT_LT(rig.rec.selection.T1(), rig.rec.selection.T0());
  EXPECT_EQ(ExportTo("empty.txt"), "");
  EXPECT_TRUE(std::filesystem::exists(folder / "empty.txt"));
}

// A file that opens but whose writes fail (a full disk): reported, and not traced as finished.
TEST_F(RunSelectionTest, WriteThatFailsIsReported) {
  Drag(30, 399);
  rig.env.dialogs.saveAnswers.push_back("/dev/full");
  panel.exportButton.UserClick();
  EXPECT_EQ(rig.env.dialogs.errors, (std::vector<std::string>{"Unable to write to /dev/full"}));
  EXPECT_FALSE(rig.StateHas("Extraction terminée."));
}

TEST_F(RunSelectionTest, FileThatCannotBeCreatedIsReported) {
  Drag(30, 399);
  const std::string path = (folder / "missing" / "run.txt").string();
  rig.env.dialogs.saveAnswers.push_back(path);
  panel.exportButton.UserClick();
  ASSERT_EQ(rig.env.dialogs.errors.size(), 1u);
  EXPECT_NE(rig.env.dialogs.errors[0].find(path), std::string::npos);
  EXPECT_FALSE(rig.StateHas("Démarrage de l'extraction."));
  EXPECT_FALSE(rig.StateHas("Extraction terminée."));
}

TEST_F(RunSelectionTest, CancelledExportWritesNothing) {
  Drag(30, 399);
  panel.exportButton.UserClick();  // no answer scripted: cancelled
  EXPECT_FALSE(rig.StateHas("Démarrage de l'extraction."));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(RunSelectionTest, NewViewHidesTheSelection) {
  Drag(71, 153);
  rig.station.btRrpm.UserClick();
  EXPECT_FALSE(panel.exportButton.Enabled());
  EXPECT_FALSE(panel.selectionFrame.Visible());
  EXPECT_FALSE(panel.selectionText.Visible());
}

TEST(RunLine, TimeDifferenceOfTwoSinglesShowsItsRounding) {
  EXPECT_EQ(RunLine({12.345f, 3250.0f}, 11.833f), "0,51200008392334;3250");
}

TEST(RunFileChooser, BrowseFillsThePath) {
  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 855, 538};
  auto& browse = window.Add<form::Button>("Button9", nullptr, "Parcourir");
  auto& path = window.Add<form::Edit>("Edit28");
  auto& dialog = window.Add<form::FileDialog>("OpenDialog1", nullptr, form::FileDialog::Mode::Open);
  RunFileChooser chooser(browse, path, dialog);
  browse.UserClick();  // cancelled
  EXPECT_EQ(path.Text(), "");
  env.dialogs.openAnswers.push_back("/data/run.txt");
  browse.UserClick();
  EXPECT_EQ(path.Text(), "/data/run.txt");
  EXPECT_EQ(env.dialogs.fileRequests.back().filter, RecorderPanel::kRunFileFilter);
}

}  // namespace
}  // namespace kelvra::acquisition
