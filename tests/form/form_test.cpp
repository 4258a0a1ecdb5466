#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "form/button_controls.h"
#include "form/chart.h"
#include "form/file_dialog.h"
#include "form/image.h"
#include "form/list_controls.h"
#include "form/manual_services.h"
#include "form/page_controls.h"
#include "form/range_controls.h"
#include "form/text_controls.h"
#include "form/timer.h"
#include "form/window.h"

namespace kelvra::form {
namespace {

class FormTest : public ::testing::Test {
 protected:
  ManualServices env;
  Window window{env.services, "Form1", "Test", 400, 300};
};

struct AspectLog : ControlObserver {
  void ControlChanged(Control& control, Aspect aspect) override {
    seen.push_back(control.Name() + ":" + std::to_string(static_cast<int>(aspect)));
  }
  std::vector<std::string> seen;
};

TEST_F(FormTest, EditRaisesChangeOnlyWhenTheTextChanges) {
  auto& edit = window.Add<Edit>("edRstart", nullptr, "1000");
  int changes = 0;
  edit.onChange = [&](Control& sender) {
    EXPECT_EQ(&sender, &edit);
    ++changes;
  };
  edit.SetText("1000");
  EXPECT_EQ(changes, 0);
  edit.SetText("1500");
  edit.SetText("1500");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.Text(), "1500");
}

TEST_F(FormTest, ErrorEndsTheWholeUserActionAndIsShownOnce) {
  auto& edit = window.Add<Edit>("edA");
  auto& label = window.Add<Label>("lbA");
  auto& button = window.Add<Button>("btGo", nullptr, "Go");
  edit.onChange = [](Control&) {
    throw ConversionError("'x' is not a valid floating point value");
  };
  bool ranOn = false;
  button.onClick = [&](Control&) {
    label.SetText("written before");
    edit.SetText("x");  // its change handler fails: the click ends here
    ranOn = true;
  };
  button.UserClick();
  EXPECT_FALSE(ranOn);
  EXPECT_EQ(label.Text(), "written before");
  ASSERT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_EQ(env.dialogs.errors[0], "'x' is not a valid floating point value");
  EXPECT_FALSE(env.services.InAction());

  // The program goes on: the next action runs normally.
  edit.onChange = nullptr;
  button.UserClick();
  EXPECT_TRUE(ranOn);
}

TEST_F(FormTest, DisabledControlsIgnoreTheUser) {
  auto& button = window.Add<Button>("bt");
  int clicks = 0;
  button.onClick = [&](Control&) { ++clicks; };
  button.SetEnabled(false);
  button.UserClick();
  button.SetEnabled(true);
  button.UserClick();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, TimersFireAtTheirIntervalInOrderAndSurviveErrors) {
  auto& slow = window.Add<Timer>("tSlow", nullptr, 2000);
  auto& fast = window.Add<Timer>("tFast", nullptr, 750);
  std::vector<std::string> fired;
  slow.onTimer = [&](Control&) { fired.push_back("slow"); };
  fast.onTimer = [&](Control&) {
    fired.push_back("fast");
    throw Error("boom");
  };
  slow.SetEnabled(true);
  fast.SetEnabled(true);
  env.clock.Advance(1999);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast"}));
  env.clock.Advance(1);
  EXPECT_EQ(fired.back(), "slow");
  EXPECT_EQ(env.dialogs.errors.size(), 2u);
  EXPECT_TRUE(fast.Running());

  // Re-enabling starts a fresh countdown.
  fired.clear();
  env.clock.Advance(1000);  // t = 3000: fast was due at 2250 and 3000
  fast.SetEnabled(false);
  fast.SetEnabled(true);
  env.clock.Advance(700);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast"}));
  slow.SetEnabled(false);
  fast.SetEnabled(false);
  EXPECT_EQ(env.clock.ActiveTimers(), 0);
}

TEST_F(FormTest, TimerStoppedByItsOwnHandlerFiresOnce) {
  auto& timer = window.Add<Timer>("tReset", nullptr, 2000);
  int ticks = 0;
  timer.onTimer = [&](Control&) {
    ++ticks;
    timer.SetEnabled(false);
  };
  timer.SetEnabled(true);
  const double before = env.clock.Now();
  env.clock.Advance(10000);
  EXPECT_EQ(ticks, 1);
  EXPECT_NEAR((env.clock.Now() - before) * kMillisecondsPerDay, 10000, 1e-3);
}

TEST_F(FormTest, RadioButtonsOfAGroupExcludeEachOther) {
  auto& box = window.Add<Panel>("GroupBox1", nullptr, "Moteur", true);
  auto& diesel = window.Add<RadioButton>("rbRTdiesel", &box, "Diesel", false);
  auto& petrol = window.Add<RadioButton>("rbRTess", &box, "Essence", true);
  auto& other = window.Add<RadioButton>("rbOther", nullptr, "Other", true);
  int clicks = 0;
  diesel.onClick = [&](Control&) { ++clicks; };
  diesel.UserSelect();
  EXPECT_TRUE(diesel.Checked());
  EXPECT_FALSE(petrol.Checked());
  EXPECT_TRUE(other.Checked());  // another parent, another group
  diesel.SetChecked(true);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, CheckBoxRaisesClickWheneverItsStateChanges) {
  auto& box = window.Add<CheckBox>("cbLog", nullptr, "Sauvegarder log");
  int clicks = 0;
  box.onClick = [&](Control&) { ++clicks; };
  box.SetChecked(true);
  box.SetChecked(true);
  box.UserToggle();
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(FormTest, SortedListInsertsInPlaceAndDoubleClickClicksFirst) {
  auto& list = window.Add<ListBox>("lbVeh", nullptr, true);
  for (const char* name : {"Clio", "alpine", "Zoé", "Berline"})
    list.AddItem(name);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"alpine", "Berline", "Clio", "Zoé"}));
  std::vector<std::string> events;
  list.onClick = [&](Control&) { events.push_back("click " + list.SelectedText()); };
  list.onDoubleClick = [&](Control&) { events.push_back("double " + list.SelectedText()); };
  list.UserDoubleClickItem(2);
  EXPECT_EQ(events, (std::vector<std::string>{"click Clio", "double Clio"}));

  list.DeleteItem(0);  // the selection follows its item
  EXPECT_EQ(list.SelectedText(), "Clio");
  list.DeleteItem(list.ItemIndex());
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.IndexOf("clio"), -1);
}

TEST_F(FormTest, CheckListKeepsChecksWithItemsAndRefusesDisabledItems) {
  auto& list = window.Add<CheckListBox>("clbPid");
  list.AddItem("Régime moteur");
  list.AddItem("Vitesse véhicule");
  int checks = 0;
  list.onClickCheck = [&](Control&) { ++checks; };
  list.SetChecked(1, true);  // from the logic: no event
  list.SetItemEnabled(0, false);
  list.UserToggleItem(0);
  list.UserToggleItem(1);
  EXPECT_FALSE(list.Checked(0));
  EXPECT_FALSE(list.Checked(1));
  EXPECT_EQ(checks, 1);
  list.DeleteItem(0);
  EXPECT_TRUE(list.ItemEnabled(0));
}

TEST_F(FormTest, ComboBoxRaisesChangeOnlyForTheUser) {
  auto& combo = window.Add<ComboBox>("cbIf");
  combo.SetItems({"ELM327", "mOByDic"});
  int changes = 0;
  combo.onChange = [&](Control&) { ++changes; };
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), "mOByDic");
  EXPECT_EQ(changes, 0);
  combo.UserSelect(0);
  EXPECT_EQ(combo.Text(), "ELM327");
  EXPECT_EQ(changes, 1);
}

TEST_F(FormTest, HidingTheActiveTabMovesToTheNextShownOne) {
  auto& pages = window.Add<PageControl>("PageControl1");
  auto& home = window.Add<TabPage>("TabSheet1", &pages, "Accueil");
  auto& cars = window.Add<TabPage>("TabSheet2", &pages, "Configuration voitures");
  auto& acq = window.Add<TabPage>("TabSheet3", &pages, "Acquisition données");
  acq.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), &home);
  pages.UserSelectPage(&acq);  // no tab to pick
  EXPECT_EQ(pages.ActivePage(), &home);
  home.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), &cars);
  cars.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), nullptr);
  acq.SetTabVisible(true);
  EXPECT_EQ(pages.ActivePage(), &acq);
}

TEST_F(FormTest, MemoSplitsLinesAndReportsAppends) {
  auto& memo = window.Add<Memo>("Memo5");
  AspectLog log;
  memo.AddObserver(&log);
  memo.SetText("a\r\nb\nc\r");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"a", "b", "c"}));
  memo.AddLine("d");
  memo.DeleteLine(0);
  EXPECT_EQ(memo.Text(), "b\r\nc\r\nd");
  EXPECT_EQ(log.seen, (std::vector<std::string>{
                          "Memo5:" + std::to_string(static_cast<int>(Aspect::Lines)),
                          "Memo5:" + std::to_string(static_cast<int>(Aspect::LineAdded)),
                          "Memo5:" + std::to_string(static_cast<int>(Aspect::Lines))}));
  memo.RemoveObserver(&log);
}

TEST_F(FormTest, ImageKeepsAShortDisplayListUntilBlanked) {
  auto& image = window.Add<Image>("img1", nullptr, 399, 183);
  Canvas& canvas = image.GetCanvas();
  canvas.SetPenColor(kRed);
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 10);
  canvas.LineTo(20, 5);
  canvas.SetPenColor(kBlue);
  canvas.SetPenColor(kRed);  // back to the pen in force: nothing to record
  canvas.LineTo(30, 0);
  canvas.TextOut(5, 5, "tr/mn");
  const auto& ops = canvas.Operations();
  ASSERT_EQ(ops.size(), 8u);
  EXPECT_TRUE(std::holds_alternative<draw::MoveTo>(ops[0]));
  EXPECT_EQ(std::get<draw::SetPen>(ops[1]).pen.color, kRed);
  EXPECT_EQ(std::get<draw::LineTo>(ops[3]).x, 20);
  EXPECT_TRUE(std::holds_alternative<draw::SetBrush>(ops[5]));
  EXPECT_TRUE(std::holds_alternative<draw::SetFont>(ops[6]));
  EXPECT_EQ(std::get<draw::TextOut>(ops[7]).text, "tr/mn");
  image.Blank();
  EXPECT_TRUE(canvas.Operations().empty());
  canvas.LineTo(1, 1);  // the pen is recorded again after a blank
  EXPECT_TRUE(std::holds_alternative<draw::SetPen>(canvas.Operations()[0]));
}

TEST_F(FormTest, ChartSeriesNotifyTheChart) {
  auto& chart = window.Add<Chart>("Chart1");
  AspectLog log;
  chart.AddObserver(&log);
  auto& power = chart.AddSeries("Puissance", kRed);
  power.Add(1000, 20);
  power.Add(2000, 45.5);
  power.Add(3000, 40);
  EXPECT_EQ(power.MaxY(), 45.5);
  power.SetVisible(false);
  EXPECT_EQ(log.seen.size(), 5u);
  chart.RemoveObserver(&log);
  EXPECT_EQ(chart.AddSeries("Couple", kBlue).MaxY(), std::nullopt);
}

TEST_F(FormTest, FileDialogKeepsTheChosenName) {
  auto& dialog = window.Add<FileDialog>("OpenDialog1", nullptr, FileDialog::Mode::Open,
                                        "Fichier texte (*.txt)|*.txt");
  dialog.SetFileName("*.ini");
  env.dialogs.openAnswers = {std::nullopt, std::string("/tmp/clio.ini")};
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "*.ini");
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "/tmp/clio.ini");
  EXPECT_EQ(env.dialogs.fileRequests[0].filter, "Fichier texte (*.txt)|*.txt");
}

TEST_F(FormTest, WindowFindsControlsByNameAndType) {
  window.Add<Edit>("edVehName");
  EXPECT_NO_THROW(window.Get<Edit>("edVehName"));
  EXPECT_THROW(window.Get<Label>("edVehName"), std::logic_error);
  EXPECT_THROW(window.Get<Edit>("missing"), std::logic_error);
  EXPECT_THROW(window.Add<Label>("edVehName"), std::logic_error);
}

TEST_F(FormTest, CloseQueryCanKeepTheWindowOpen) {
  window.Show();
  bool allow = false;
  window.onCloseQuery = [&](Window&) { return allow; };
  EXPECT_FALSE(window.UserClose());
  EXPECT_TRUE(window.Visible());
  window.onCloseQuery = [&](Window&) -> bool { throw Error("port busy"); };
  EXPECT_FALSE(window.UserClose());
  EXPECT_EQ(env.dialogs.errors.back(), "port busy");
  allow = true;
  window.onCloseQuery = [&](Window&) { return allow; };
  EXPECT_TRUE(window.UserClose());
  EXPECT_FALSE(window.Visible());
}

TEST_F(FormTest, TrackBarClampsAndRaisesChange) {
  auto& bar = window.Add<TrackBar>("tbLisse", nullptr, 0, 10, 4);
  int changes = 0;
  bar.onChange = [&](Control&) { ++changes; };
  bar.SetMaximum(20);
  bar.SetPosition(25);
  EXPECT_EQ(bar.Position(), 20);
  bar.SetMaximum(8);
  EXPECT_EQ(bar.Position(), 8);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace kelvra::form

namespace kelvra::form {
namespace {

TEST_F(FormTest, EventsPumpedInsideAnActionAreActionsOfTheirOwn) {
  auto& loop = window.Add<Button>("btLoop");
  auto& other = window.Add<Button>("btOther");
  other.onClick = [](Control&) { throw Error("Erreur ouverture port."); };
  bool loopFinished = false;
  loop.onClick = [&](Control&) {
    env.pump.onPump = [&] { other.UserClick(); };  // a click arrives while the loop waits
    env.services.PumpEvents();
    loopFinished = true;
  };
  loop.UserClick();
  EXPECT_TRUE(loopFinished);
  EXPECT_EQ(env.dialogs.errors, (std::vector<std::string>{"Erreur ouverture port."}));
  EXPECT_FALSE(env.services.InAction());
}

}  // namespace
}  // namespace kelvra::form
