#include <gtest/gtest.h>

#include "link/connection_panel.h"
#include "support/link_rig.h"

namespace kelvra::link {
namespace {

class ConnectionPanelTest : public ::testing::Test {
 protected:
  ConnectionPanelTest() {
    interfaces.SetItems({"ELM323", "ELM327", "mOByDic"});
    interfaces.SetItemIndex(2);
    panel.launchAcquisition = [this] {
      rig.state.speedViewActive = true;
      ++launches;
    };
    panel.stopAcquisition = [this] {
      rig.state.speedViewActive = false;
      ++stops;
    };
  }

  testing::LinkRig rig;
  form::Window& w = rig.station.window;
  form::ComboBox& interfaces = w.Add<form::ComboBox>("cbIf");
  form::Label& rateLabel = w.Add<form::Label>("Label110", nullptr, "Vitesse :");
  form::RadioButton& rate9600 = w.Add<form::RadioButton>("rb9600", nullptr, "9600", true);
  form::RadioButton& rate38400 = w.Add<form::RadioButton>("rb38400", nullptr, "38400");
  form::Button& connect = w.Add<form::Button>("Button1", nullptr, "Connecter");
  form::Button& disconnect = w.Add<form::Button>("Button8", nullptr, "Déconnecter");
  form::Edit& manual = w.Add<form::Edit>("edManuCmd");
  form::Button& send = w.Add<form::Button>("btCmd", nullptr, "Envoi manuel de commande");
  form::Button& dry = w.Add<form::Button>("Button13", nullptr, "1 start");
  form::Button& toggle = w.Add<form::Button>("Button10", nullptr, "2 debug : obdonline");
  form::Button& toBuffer = w.Add<form::Button>("btDebugSend", nullptr, "3 debug:send2tampon");
  form::Edit& debugText = w.Add<form::Edit>("edDebugSend", nullptr, "410C1000");
  form::Button& run = w.Add<form::Button>("Button14", nullptr, "sequence acquisition auto");
  form::Timer& timer1 = w.Add<form::Timer>("Timer1", nullptr, 25);
  ConnectionPanel panel{
      rig.engine,
      ConnectionControls{rig.station.portList, interfaces, rateLabel, rate9600, rate38400,
                         rig.altCom, connect, disconnect, rig.resetButton, manual, send, dry,
                         toggle, toBuffer, debugText, run, timer1},
      rig.port, rig.altPort};
  int launches = 0;
  int stops = 0;
};

TEST_F(ConnectionPanelTest, RateChoiceIsForElmChipsOnly) {
  interfaces.UserSelect(1);
  EXPECT_TRUE(rate38400.Visible());
  rate38400.UserSelect();
  interfaces.UserSelect(2);
  EXPECT_FALSE(rate38400.Visible());
  EXPECT_FALSE(rateLabel.Visible());
  EXPECT_TRUE(rate9600.Checked());
}

TEST_F(ConnectionPanelTest, ConnectUsesTheChosenInterfaceRateAndPort) {
  interfaces.UserSelect(2);
  connect.UserClick();
  EXPECT_EQ(rig.env.dialogs.messages.size(), 1u);  // the mOByDic prompt first
  EXPECT_EQ(rig.port.Settings().baudRate, 9600);
  EXPECT_FALSE(rig.port.Settings().eventCharEnabled);
  disconnect.UserClick();
  interfaces.UserSelect(1);
  rate38400.UserSelect();
  connect.UserClick();
  EXPECT_EQ(rig.env.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.port.Settings().baudRate, 38400);
  EXPECT_EQ(rig.port.Settings().name, "/dev/ttyUSB0");
}

TEST_F(ConnectionPanelTest, ManualCommands) {
  manual.SetText("atz");
  send.UserClick();  // nothing connected: ignored without a message
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_TRUE(rig.env.dialogs.messages.empty());
  rig.ConnectElmOnline();
  rig.port.ClearWrites();
  send.UserClick();
  send.UserClick();
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"atz\r", "\r"}));
}

TEST_F(ConnectionPanelTest, SimulatedRunHandles39EngineSpeedsThenStops) {
  rig.state.elmMode = true;  // the simulated answers are ELM text
  run.UserClick();
  EXPECT_TRUE(rig.engine.DryRun());
  EXPECT_TRUE(rig.state.online);
  EXPECT_EQ(launches, 1);
  rig.env.clock.Advance(40 * 25);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(timer1.Running());
  ASSERT_EQ(rig.sinks.engineSpeeds.size(), 39u);
  EXPECT_EQ(rig.sinks.engineSpeeds.front(), 1024);
  EXPECT_EQ(rig.sinks.engineSpeeds[1], 829);
  EXPECT_TRUE(rig.port.writes.empty());  // a dry run transmits nothing
}

TEST_F(ConnectionPanelTest, DebugSendHandlesTheTextAsAResponse) {
  rig.ConnectElmOnline();
  rig.state.diagDisplayOn = true;
  debugText.SetText("410D32");
  toBuffer.UserClick();
  EXPECT_EQ(rig.state.values[9], 50);
  toggle.UserClick();
  EXPECT_FALSE(rig.state.online);
}

}  // namespace
}  // namespace kelvra::link
