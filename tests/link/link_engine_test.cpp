#include <gtest/gtest.h>

#include "support/bytes.h"

#include "support/link_rig.h"

namespace kelvra::link {
namespace {

using testing::LinkRig;

using testing::Bytes;

TEST(LinkEngine, ElmSequenceStepByStepOnTheClock) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  EXPECT_EQ(rig.port.Settings().baudRate, 38400);
  EXPECT_TRUE(rig.port.Settings().eventCharEnabled);
  EXPECT_TRUE(rig.state.elmMode);
  EXPECT_EQ(rig.state.linkState, 1);
  EXPECT_TRUE(rig.resetButton.Enabled());
  EXPECT_EQ(rig.StateLines().back(), "\r\nOuverture du port /dev/ttyUSB0");
  EXPECT_EQ(rig.statusBar.PanelText(1), "OBD Offline");

  rig.env.clock.Advance(1999);
  EXPECT_TRUE(rig.port.writes.empty());
  rig.env.clock.Advance(1);
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"atz\r"}));
  EXPECT_TRUE(rig.StateHas("Réinitialisation de l'interface"));

  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  EXPECT_TRUE(rig.StateHas("Interface ELM323 détectée."));
  EXPECT_EQ(rig.state.linkState, 2);
  EXPECT_EQ(rig.port.LastWrite(), "ate0\r");
  EXPECT_EQ(rig.StateLines().back(), "atzelm327v15 : ATZ 2");

  rig.Answer("ate0\rOK\r\r>");
  EXPECT_EQ(rig.state.linkState, 3);
  rig.env.clock.Advance(1999);
  EXPECT_EQ(rig.port.LastWrite(), "ate0\r");
  rig.env.clock.Advance(1);
  EXPECT_EQ(rig.port.LastWrite(), "010c\r");

  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_TRUE(rig.state.online);
  EXPECT_FALSE(rig.state.initialising);
  EXPECT_TRUE(rig.StateHas("Connexion OBD établie."));
  EXPECT_EQ(rig.statusBar.PanelText(1), "OBD Online");
  EXPECT_TRUE(rig.diagTab.TabVisible());
  EXPECT_TRUE(rig.btRrpm.Enabled());
  EXPECT_EQ(rig.StateLines().back(), "410c0bb8 : ANSW 3");
  EXPECT_FALSE(rig.toTimer.Running());
}

TEST(LinkEngine, AnswerToTheResetAdvancesWhateverItSays) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm323, false, "/dev/ttyUSB0", false);
  EXPECT_EQ(rig.port.Settings().baudRate, 9600);
  rig.env.clock.Advance(2000);
  rig.Answer("?\r\r>");
  EXPECT_EQ(rig.state.linkState, 2);
  EXPECT_EQ(rig.port.LastWrite(), "ate0\r");
}

// A chip that says nothing to its reset (or garbage at another line speed, never a prompt): the
// sequence does not wait for ever; each timeout asks again, the fifth restarts it.
TEST(LinkEngine, SilentResetTimesOutAndIsAskedAgain) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  rig.env.clock.Advance(LinkEngine::kStartDelayMs);
  rig.Answer(std::string("\x00\x80\xfe\xff", 4));
  rig.port.ClearWrites();
  rig.env.clock.Advance(LinkEngine::kInitAnswerTimeoutMs);
  EXPECT_TRUE(rig.StateHas("Timeout."));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));  // the repeat of "atz"
  EXPECT_EQ(rig.state.linkState, 1);
  rig.env.clock.Advance(4 * LinkEngine::kInitAnswerTimeoutMs);
  EXPECT_TRUE(rig.StateHas("Trop de timeouts, réinitialisation"));
  rig.env.clock.Advance(LinkEngine::kStartDelayMs);
  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  EXPECT_EQ(rig.state.linkState, 2);
  EXPECT_EQ(rig.port.LastWrite(), "ate0\r");
}

// An unexpected answer during the sequence sends the step's command again; when that answer is
// lost too, the timeout still comes.
TEST(LinkEngine, LostAnswerAfterAnUnexpectedOneTimesOut) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  rig.env.clock.Advance(LinkEngine::kStartDelayMs);
  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  rig.Answer("garbage\r\r>");
  EXPECT_EQ(rig.port.LastWrite(), "\r");  // ate0 again
  EXPECT_TRUE(rig.toTimer.Running());
  rig.Answer("ate0\rOK\r\r>");
  rig.env.clock.Advance(LinkEngine::kStartDelayMs);
  rig.Answer("41 0D 32\r\r>");
  EXPECT_EQ(rig.port.LastWrite(), "\r");  // 010c again
  rig.port.ClearWrites();
  rig.env.clock.Advance(LinkEngine::kInitAnswerTimeoutMs);
  EXPECT_TRUE(rig.StateHas("Timeout."));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_TRUE(rig.state.online);
}

TEST(LinkEngine, FirstRequestAnswers) {
  const struct {
    const char* answer;
    bool online;
    const char* state;
    const char* resent;
  } cases[] = {
      {"BUS INIT: ...OK\r41 0C 0B B8\r\r>", true, "Initialisation bus OK.", nullptr},
      {"NO DATA\r\r>", false, "Erreur fatale : PID non supporté par le calculateur", nullptr},
      {"SEARCHING...\r41 0C 0B B8\r\r>", false, nullptr, "\r"},
  };
  for (const auto& c : cases) {
    LinkRig rig;
    rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
    rig.env.clock.Advance(2000);
    rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
    rig.Answer("OK\r\r>");  // not the echo-off confirmation: reported and sent again
    EXPECT_TRUE(rig.DataHas("Réponse non attendue : ok"));
    EXPECT_EQ(rig.port.LastWrite(), "\r");
    rig.Answer("ate0\rOK\r\r>");
    rig.env.clock.Advance(2000);
    rig.port.ClearWrites();
    rig.Answer(c.answer);
    EXPECT_EQ(rig.state.online, c.online) << c.answer;
    if (c.state != nullptr) {
      EXPECT_TRUE(rig.StateHas(c.state)) << c.answer;
    }
    if (c.resent != nullptr) {
      EXPECT_TRUE(rig.DataHas("Réponse non attendue : searchin410c0bb8"));
      EXPECT_EQ(rig.port.writes, (std::vector<std::string>{c.resent})) << c.answer;
    } else {
      EXPECT_TRUE(rig.port.writes.empty()) << c.answer;
    }
    EXPECT_EQ(rig.state.linkState, 3);
  }
}

TEST(LinkEngine, BusErrorRestartsTheSequence) {
  LinkRig rig;
  rig.ConnectElmOnline();
  rig.state.recording = true;
  rig.Answer("BUS ERROR\r\r>");
  EXPECT_TRUE(rig.StateHas("Erreur fatale bus, réintialisation."));
  EXPECT_FALSE(rig.state.online);
  EXPECT_EQ(rig.state.linkState, 1);
  EXPECT_EQ(rig.statusBar.PanelText(1), "OBD Offline");
  EXPECT_TRUE(rig.state.recording);
  EXPECT_TRUE(rig.tReset.Running());
}

TEST(LinkEngine, FifthTimeoutRestarts) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  rig.env.clock.Advance(2000);
  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");  // ate0 sent, timeout armed
  for (int i = 1; i <= 4; ++i) {
    rig.env.clock.Advance(LinkEngine::kInitAnswerTimeoutMs);
    EXPECT_EQ(rig.engine.TimeoutCount(), i);
    EXPECT_EQ(rig.state.linkState, 2);
  }
  EXPECT_FALSE(rig.StateHas("Trop de timeouts"));
  rig.env.clock.Advance(LinkEngine::kInitAnswerTimeoutMs);
  EXPECT_TRUE(rig.StateHas("Trop de timeouts, réinitialisation"));
  EXPECT_EQ(rig.engine.TimeoutCount(), 0);
  EXPECT_EQ(rig.state.linkState, 1);
}

TEST(LinkEngine, ChipStillSearchingIsNotInterrupted) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  rig.env.clock.Advance(2000);
  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  rig.Answer("ate0\rOK\r\r>");
  rig.env.clock.Advance(2000);  // 010c out; a slow bus searches for about ten seconds
  rig.env.clock.Advance(11000);
  EXPECT_FALSE(rig.StateHas("Timeout."));
  rig.Answer("SEARCHING...\r41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.state.linkState, 3);
}

TEST(LinkEngine, FifteenthUnexpectedAnswerRestarts) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  rig.env.clock.Advance(2000);
  rig.Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  for (int i = 1; i <= 14; ++i)
    rig.Answer("OK\r\r>");
  EXPECT_EQ(rig.engine.UnexpectedCount(), 14);
  EXPECT_EQ(rig.state.linkState, 2);
  rig.port.ClearWrites();
  rig.Answer("OK\r\r>");
  EXPECT_TRUE(rig.StateHas("Trop de réponses hors contexte, réinitialisation"));
  EXPECT_EQ(rig.engine.UnexpectedCount(), 0);
  EXPECT_EQ(rig.state.linkState, 1);
  // The old step's command still goes out after the restart.
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
}

TEST(LinkEngine, ElmRepeatsAsALoneCrAndNotesAreNotTransmitted) {
  LinkRig rig;
  rig.ConnectElmOnline();
  rig.port.ClearWrites();
  rig.engine.SendCommand("010c\r");
  rig.engine.SendCommand("010d\r");
  rig.engine.SendCommand("010d\r");
  rig.engine.SendCommand("010c\r");
  rig.engine.SendCommand("Lancement");
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r", "010d\r", "\r", "010c\r"}));
  EXPECT_EQ(rig.DataLines().back().substr(rig.DataLines().back().find(">>")), ">>Lancement");

  rig.engine.SetDryRun(true);
  rig.engine.SendCommand("0105\r");
  EXPECT_EQ(rig.port.writes.size(), 4u);
  EXPECT_EQ(rig.engine.LastCommand(), "0105\r");
}

TEST(LinkEngine, MobydicRequestExchange) {
  LinkRig rig;
  rig.engine.Connect(InterfaceKind::Mobydic, false, "/dev/ttyUSB0", false);
  ASSERT_EQ(rig.env.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.env.dialogs.messages[0],
            "Veuillez connecter l'interface, contact mis, et attendre que la LED \"connection\" "
            "s'allume, puis cliquer sur OK.");
  EXPECT_FALSE(rig.port.Settings().eventCharEnabled);
  EXPECT_TRUE(rig.StateHas("Recherche du protocole mOByDic utilisé"));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{Bytes({0x05})}));
  EXPECT_EQ(rig.state.linkState, 3);

  rig.port.Feed(Bytes({0x05, 0x00, 0x01}));
  EXPECT_TRUE(rig.StateHas("Interface mOByDic, protocole détecté : ISO9141-2 08 08"));
  EXPECT_TRUE(rig.state.online);

  rig.port.ClearWrites();
  rig.engine.SendCommand("010c\r");
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{Bytes({0x02})}));
  EXPECT_EQ(rig.engine.PendingCommand(), "010c");
  rig.port.Feed(Bytes({0x06}));
  EXPECT_EQ(rig.port.writes,
            (std::vector<std::string>{Bytes({0x02}), Bytes({0x01}), Bytes({0x0C})}));
  EXPECT_TRUE(rig.engine.Flags().expectData);

  rig.state.diagDisplayOn = true;
  rig.port.FeedBytewise(Bytes({0x02, 0x08, 0x48, 0x6B, 0x10, 0x41, 0x0C, 0x0B, 0xB8, 0x99}));
  EXPECT_EQ(rig.state.values[8], 750);
  EXPECT_FALSE(rig.engine.Flags().expectData);
}

TEST(LinkEngine, MobydicWithoutProtocolStaysInTheSequence) {
  LinkRig rig;
  rig.debugAuto.SetChecked(true);
  rig.engine.Connect(InterfaceKind::Mobydic, false, "/dev/ttyUSB0", false);
  EXPECT_TRUE(rig.env.dialogs.messages.empty());
  rig.port.Feed(Bytes({0x05, 0x00, 0x00}));
  EXPECT_TRUE(rig.StateHas("Erreur interface mOByDic, aucun protocole détecté"));
  EXPECT_FALSE(rig.state.online);
  EXPECT_EQ(rig.state.linkState, 3);
}

TEST(LinkEngine, MobydicCommandThatIsNotHexIsNotTransmitted) {
  LinkRig rig;
  rig.ConnectMobydicOnline();
  rig.engine.SendCommand("atz\r");
  rig.port.ClearWrites();
  rig.port.Feed(Bytes({0x06}));
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_TRUE(rig.StateHas("Commande non transmissible à l'interface mOByDic : atz"));
}

TEST(LinkEngine, DisconnectTakesTheLinkOffline) {
  for (bool alternative : {false, true}) {
    LinkRig rig;
    rig.altCom.SetChecked(alternative);
    rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", alternative);
    auto& used = alternative ? rig.altPort : rig.port;
    rig.env.clock.Advance(2000);
    used.Feed("ATZ\r\r\rELM327 v1.5\r\r>");
    used.Feed("ate0\rOK\r\r>");
    rig.env.clock.Advance(2000);
    used.Feed("41 0C 0B B8\r\r>");
    ASSERT_TRUE(rig.state.online);

    rig.engine.Disconnect(false);
    EXPECT_FALSE(used.IsOpen());
    EXPECT_FALSE(rig.state.online);
    EXPECT_EQ(rig.statusBar.PanelText(1), "OBD Offline");
    EXPECT_FALSE(rig.btRrpm.Enabled());
    EXPECT_FALSE(rig.resetButton.Enabled());
    EXPECT_FALSE(rig.diagTab.TabVisible());
  }
}

TEST(LinkEngine, PortThatCannotOpenLeavesTheLinkConnecting) {
  LinkRig rig;
  rig.port.failOpen = true;
  rig.env.services.Dispatch(
      [&] { rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB9", false); });
  EXPECT_EQ(rig.env.dialogs.errors, (std::vector<std::string>{"Erreur ouverture port."}));
  EXPECT_EQ(rig.statusBar.PanelText(1), "Connexion OBD");
  EXPECT_TRUE(rig.state.initialising);
  EXPECT_EQ(rig.state.linkState, 0);
}

TEST(LinkEngine, ResponseBytesAfterThePromptBelongToIt) {
  LinkRig rig;
  rig.ConnectElmOnline();
  rig.state.diagDisplayOn = true;
  rig.Answer("41 0D 32\r\r>\r");
  EXPECT_EQ(rig.state.values[9], 50);
  EXPECT_TRUE(rig.engine.Framer().Buffer().empty());
}

TEST(DialogueLog, EntriesCarryTheTimeOfDayAndTracesClearPast300Lines) {
  LinkRig rig;
  rig.env.clock.SetNow(40155.5);
  rig.log.Sent("010c\r");
  rig.log.Received("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.DataLines()[0], "0,5>>010c\r");
  EXPECT_EQ(rig.DataLines()[1], "0,5<<41 0C 0B B8\r\r>");
  rig.log.ShowBuffer(Bytes({0x02, 0xE9}));
  EXPECT_EQ(rig.DataLines()[2],
            "\x02"
            "é");

  for (int i = 0; i < 298; ++i)
    rig.log.State("x");
  rig.log.TrimBoth();
  EXPECT_EQ(rig.stateTrace.LineCount(), 298);
  rig.log.State("x");
  rig.log.State("x");
  rig.log.State("x");  // the 301st stays until the next trim
  EXPECT_EQ(rig.stateTrace.LineCount(), 301);
  rig.log.TrimBoth();
  EXPECT_EQ(rig.stateTrace.LineCount(), 0);
  EXPECT_EQ(rig.dataTrace.LineCount(), 3);
}

}  // namespace
}  // namespace kelvra::link
