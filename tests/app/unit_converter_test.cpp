#include <gtest/gtest.h>

#include "app/home_tab.h"
#include "main_window_rig.h"

namespace kelvra::app {
namespace {

struct ConversionCase {
  const char* button;
  const char* input;
  const char* result;
};

TEST(UnitConverter, EachButtonTruncatesItsProductToHundredths) {
  MainWindowRig rig;
  MainWindow& w = rig.window;
  const ConversionCase cases[] = {
      {"cv2kw", "100", "73,54"},   {"kw2cv", "100", "135,96"}, {"lbft2nm", "100", "135,58"},
      {"nm2lbft", "100", "73,75"}, {"nm2mkg", "100", "10,2"},  {"mkg2nm", "100", "980"},
      {"cv2kw", "-100", "-73,54"}, {"cv2kw", "1.5", "1,1"},    {"kw2cv", "0", "0"},
  };
  for (const ConversionCase& c : cases) {
    w.converter.from.SetText(c.input);
    w.Get<form::Button>(c.button).UserClick();
    EXPECT_EQ(w.converter.to.Text(), c.result) << c.button << " " << c.input;
  }
  EXPECT_TRUE(rig.env.dialogs.errors.empty());
}

TEST(UnitConverter, TextThatIsNotANumberIsReportedAndTheResultKept) {
  MainWindowRig rig;
  MainWindow& w = rig.window;
  w.converter.to.SetText("12,5");
  for (const char* input : {"", "abc"}) {
    w.converter.from.SetText(input);
    w.Get<form::Button>("cv2kw").UserClick();
  }
  EXPECT_EQ(rig.env.dialogs.errors,
            (std::vector<std::string>{"'' is not a valid floating point value",
                                      "'abc' is not a valid floating point value"}));
  EXPECT_EQ(w.converter.to.Text(), "12,5");
}

TEST(About, ShowsTheNameAndVersionFirst) {
  MainWindowRig rig;
  rig.window.home.aboutButton.UserClick();
  ASSERT_EQ(rig.env.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.env.dialogs.messages[0].rfind("Kelvra Beta2", 0), 0u);
  EXPECT_NE(rig.env.dialogs.messages[0].find('\n'), std::string::npos);
}

}  // namespace
}  // namespace kelvra::app
