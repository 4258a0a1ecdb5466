#include "power/run_text_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/errors.h"
#include "run_files.h"

namespace kelvra::power {
namespace {

TEST(RunTextLoaderTest, RatesByCentralDifferenceAndNoneAtTheEnds) {
  PowerSampleTable table(3000);  // an older, longer run
  LoadRunText({"0;1000", "0,1;1100", "0,3;1500", "0.4;1520"}, table);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_FLOAT_EQ(table[2].time, 0.3f);
  EXPECT_FLOAT_EQ(table[3].time, 0.4f);
  EXPECT_FLOAT_EQ(table[3].rpm, 1520);
  EXPECT_EQ(table[0].rpmRate, 0);
  EXPECT_NEAR(table[1].rpmRate, 500 / 0.3, 1e-3);
  EXPECT_NEAR(table[2].rpmRate, 420 / 0.3, 1e-3);
  EXPECT_EQ(table[3].rpmRate, 0);
}

TEST(RunTextLoaderTest, BadLinesThrow) {
  PowerSampleTable table;
  // Later ";" belong to the engine speed.
  EXPECT_THROW(LoadRunText({"0;1000", "0,1;1100;3"}, table), ConversionError);
  EXPECT_THROW(LoadRunText({"0;1000", "0,1 1100"}, table), ConversionError);
  EXPECT_THROW(LoadRunText({"x;1000"}, table), ConversionError);
  EXPECT_THROW(LoadRunText({"0;1000", "0,1;1100", "0;1200"}, table), DivisionByZeroError);
}

TEST(RunTextLoaderTest, ReadsLinesOfAFile) {
  test::RunFiles files;
  EXPECT_EQ(ReadRunFile(files.Write({"0;1000", "0,1;1100"})),
            (std::vector<std::string>{"0;1000", "0,1;1100"}));
  EXPECT_EQ(ReadRunFile(files.Missing()), std::nullopt);
  EXPECT_EQ(ReadRunFile(""), std::nullopt);
  // Neither a folder nor a pipe, which would wait for a writer forever.
  const std::string fifo = files.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadRunFile(fifo), std::nullopt);
  EXPECT_EQ(ReadRunFile(std::filesystem::path(fifo).parent_path().string()), std::nullopt);
}

}  // namespace
}  // namespace kelvra::power
