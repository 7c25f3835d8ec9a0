#include "cli_fixture.h"
#include "scenario_runner.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orbsales::testing {
namespace {

std::vector<std::string> exampleFiles() {
    const QDir dir(QStringLiteral(ORBSALES_EXAMPLES_DIR));
    std::vector<std::string> files;
    for (const QString &file : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        files.push_back(file.toStdString());
    return files;
}

TEST(Examples, AreThere) { EXPECT_GE(exampleFiles().size(), 3); }

class ExampleScenario : public SeededDatabaseTest, public ::testing::WithParamInterface<std::string> {};

// Each example holds on a database fresh from `orbsales init`.
TEST_P(ExampleScenario, PassesOnAFreshDemoDatabase) {
    CapturedOutput output;
    cli::ScenarioRunner runner(connectionString(), output.outStream, output.errStream);
    const auto outcome = runner.runFile(QStringLiteral(ORBSALES_EXAMPLES_DIR "/") + QString::fromStdString(GetParam()));
    output.flush();
    EXPECT_EQ(outcome, cli::ScenarioRunner::Outcome::Passed) << runner.failure().toStdString() << "\n"
                                                             << output.out.toStdString();
    EXPECT_GT(runner.stepsCompleted(), 0);
}

// And again with every operation all-or-nothing (orbsales run --atomic).
TEST_P(ExampleScenario, PassesWithEveryOperationAllOrNothing) {
    CapturedOutput output;
    cli::ScenarioRunner runner(connectionString(), output.outStream, output.errStream);
    runner.setAtomic(true);
    const auto outcome = runner.runFile(QStringLiteral(ORBSALES_EXAMPLES_DIR "/") + QString::fromStdString(GetParam()));
    output.flush();
    EXPECT_EQ(outcome, cli::ScenarioRunner::Outcome::Passed) << runner.failure().toStdString() << "\n"
                                                             << output.out.toStdString();
    EXPECT_TRUE(output.out.contains(QStringLiteral("AtomicFlag given"))) << output.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExampleScenario, ::testing::ValuesIn(exampleFiles()), [](const ::testing::TestParamInfo<std::string> &info) {
        QString name = QString::fromStdString(info.param);
        name.chop(5); // .json
        return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_")).toStdString();
    });

} // namespace
} // namespace orbsales::testing
