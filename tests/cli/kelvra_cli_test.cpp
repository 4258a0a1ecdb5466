#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.h"

extern char** environ;

namespace kelvra::test {
namespace {

// The test's own environment without the variables that would steer the program, plus extra.
std::vector<std::string> Environment(const std::vector<std::string>& extra = {}) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    if (!variable.starts_with("KELVRA_DATA_DIR="))
      environment.push_back(variable);
  }
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

ProcessResult RunCli(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment = {}) {
  return RunProcess(KELVRA_CLI_PATH, arguments, Environment(extraEnvironment));
}

// A readable test name for a command line: {"--data-dir=x", "folder"} gives
// "opt_data_dir_x_folder".
std::string CaseName(const std::vector<std::string>& arguments) {
  std::string name;
  for (const std::string& argument : arguments) {
    std::string_view word = argument;
    if (!name.empty())
      name += '_';
    if (word.starts_with('-'))
      name += "opt_";
    while (word.starts_with('-'))
      word.remove_prefix(1);
    for (char c : word)
      name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    while (name.ends_with('_'))
      name.pop_back();
  }
  return name.empty() ? "no_arguments" : name;
}

std::string ParamName(const ::testing::TestParamInfo<std::vector<std::string>>& info) {
  return CaseName(info.param);
}

class KelvraCliTest : public ::testing::TestWithParam<std::vector<std::string>> {};

class VersionTest : public KelvraCliTest {};

TEST_P(VersionTest, PrintsNameVersionAndBuild) {
  const ProcessResult result = RunCli(GetParam());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "kelvra-cli 2.0.0 (022g)\n");
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(Spellings, VersionTest,
                         ::testing::Values(std::vector<std::string>{"--version"},
                                           std::vector<std::string>{"version"}),
                         ParamName);

class HelpTest : public KelvraCliTest {};

TEST_P(HelpTest, ListsEveryCommandAndTheDataDirOption) {
  const ProcessResult result = RunCli(GetParam());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  for (const char* word : {"help", "version", "folder", "--data-dir", "2.0.0"})
    EXPECT_NE(result.out.find(word), std::string::npos) << word << " missing from:\n" << result.out;
}

INSTANTIATE_TEST_SUITE_P(Spellings, HelpTest,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"help"},
                                           std::vector<std::string>{"--help"},
                                           std::vector<std::string>{"-h"}),
                         ParamName);

TEST(KelvraCli, HelpOnOneCommandShowsItsUsage) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"help", "folder"}, std::vector<std::string>{"folder", "--help"}}) {
    const ProcessResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 0) << arguments.front();
    EXPECT_NE(result.out.find("kelvra-cli [--data-dir DOSSIER] folder\n"), std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find("version"), std::string::npos) << "the full list was printed";
  }
}

// Each of these lines is a usage error: status 2, nothing on stdout, a message naming the fault.
struct UsageErrorCase {
  std::vector<std::string> arguments;
  std::string messagePart;
};

class UsageErrorTest : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndExplainsOnStderr) {
  const ProcessResult result = RunCli(GetParam().arguments);
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(GetParam().messagePart), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UsageErrorTest,
    ::testing::Values(UsageErrorCase{{"frobnicate"}, "Commande inconnue : frobnicate"},
                      UsageErrorCase{{"--verbose"}, "Option inconnue : --verbose"},
                      UsageErrorCase{{"help", "frobnicate"}, "Commande inconnue : frobnicate"},
                      UsageErrorCase{{"folder", "--data-dir"}, "--data-dir"},
                      UsageErrorCase{{"--data-dir", "--version"}, "--data-dir"},
                      UsageErrorCase{{"--data-dir=", "folder"}, "--data-dir"},
                      UsageErrorCase{{"version", "extra"}, "extra"},
                      UsageErrorCase{{"folder", "extra"}, "extra"}),
    [](const ::testing::TestParamInfo<UsageErrorCase>& info) {
      return CaseName(info.param.arguments);
    });

// Where the data folder comes from, in order of precedence.
class FolderTest : public ::testing::Test {
 protected:
  const std::string optionDir = "/tmp/kelvra cli option";
  const std::string environmentDir = "/tmp/kelvra-cli-environment";
};

TEST_F(FolderTest, DataDirOptionSetsTheFolder) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--data-dir", optionDir, "folder"},
        std::vector<std::string>{"folder", "--data-dir", optionDir},
        std::vector<std::string>{"--data-dir=" + optionDir, "folder"}}) {
    const ProcessResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, optionDir + "\n") << arguments.front();
  }
}

TEST_F(FolderTest, EnvironmentSetsTheFolder) {
  const ProcessResult result = RunCli({"folder"}, {"KELVRA_DATA_DIR=" + environmentDir});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, environmentDir + "\n");
}

TEST_F(FolderTest, DataDirOptionWinsOverEnvironment) {
  const ProcessResult result =
      RunCli({"--data-dir", optionDir, "folder"}, {"KELVRA_DATA_DIR=" + environmentDir});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, optionDir + "\n");
}

TEST_F(FolderTest, DefaultsToTheExecutablesFolder) {
  const ProcessResult result = RunCli({"folder"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::filesystem::path expected = std::filesystem::canonical(KELVRA_CLI_PATH).parent_path();
  EXPECT_EQ(result.out, expected.string() + "\n");
}

}  // namespace
}  // namespace kelvra::test
