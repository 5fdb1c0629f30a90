#include "app/CorvelApplication.h"
#include "app/LaunchOptions.h"
#include "app/RunQt.h"
#include "app/SingleInstanceLock.h"
#include "sim/ScenarioLoader.h"
#include "support/MemoryLog.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QProcess>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

Group groupNamed(const std::string& name) {
    return Group{.id = GroupID::random(), .name = name, .symbolName = "folder.fill"};
}

struct ApplicationFixture : ::testing::Test {
    test::TemporaryFolder folder;
    std::shared_ptr<test::MemoryLog> log = std::make_shared<test::MemoryLog>();
    std::unique_ptr<app::CorvelApplication> application;
    int loopEnds = 0;

    void launch() {
        application =
            std::make_unique<app::CorvelApplication>(app::CorvelApplication::Configuration{
                .scenario = sim::ScenarioLoader::defaultScenario(),
                .storeURL = folder / "store.json",
                .defaultsFile = folder / "defaults.ini",
                .log = log,
                .alerts = std::make_shared<test::ScriptedModalAlerts>(),
                .endLoop = [this] { ++loopEnds; },
                .mapping = std::nullopt,
            });
        application->start();
        ASSERT_TRUE(
            test::runQtUntil([&] { return application->delegate()->launchTask().isDone(); }));
    }
};

} // namespace

TEST_F(ApplicationFixture, aChangeFollowedAtOnceByQuitIsOnDisk) {
    launch();
    const auto group = groupNamed("Quit at once");
    application->delegate()->store()->upsertGroup(group);
    application->terminate();
    ASSERT_TRUE(test::runQtUntil([&] { return application->hasEnded(); }));
    EXPECT_NE(contentsOf(folder / "store.json").find("Quit at once"), std::string::npos);
    application.reset();
    EXPECT_NE(contentsOf(folder / "store.json").find(group.id.rawValue().text()),
              std::string::npos);
}

TEST_F(ApplicationFixture, aChangeFollowedAtOnceBySigtermIsOnDisk) {
    launch();
    application->delegate()->store()->upsertGroup(groupNamed("Terminated"));
    ::raise(SIGTERM);
    ASSERT_TRUE(test::runQtUntil([&] { return application->hasEnded(); }));
    EXPECT_NE(contentsOf(folder / "store.json").find("Terminated"), std::string::npos);
}

TEST_F(ApplicationFixture, askingToQuitAgainWhileQuittingEndsTheLoopOnce) {
    launch();
    application->terminate();
    application->terminate();
    ASSERT_TRUE(test::runQtUntil([&] { return application->hasEnded(); }));
    application->terminate();
    test::runQtUntil([] { return false; }, 50ms);
    EXPECT_EQ(loopEnds, 1);
}

namespace {

struct ProcessResult {
    int exitCode = -1;
    std::string errors;
};

ProcessResult runCorvel(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(CORVEL_EXECUTABLE, arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

QProcessEnvironment offscreenEnvironment() {
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

} // namespace

TEST(CorvelExecutable, aSecondInstanceSaysSoExitsOneAndLeavesTheFirstOnesStoreAlone) {
    test::TemporaryFolder home;
    const auto support = home / ".local/share/app.corvel.Corvel";
    auto held = app::SingleInstanceLock::acquire(support);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<app::SingleInstanceLock>>(held));
    const std::string document = R"({"schemaVersion":1,"groups":[],"items":[]})";
    std::ofstream(support / "store.json") << document;
    const auto before = std::filesystem::last_write_time(support / "store.json");

    auto environment = offscreenEnvironment();
    environment.insert("HOME", QString::fromStdString(home.path().string()));
    environment.remove("XDG_DATA_HOME");
    const ProcessResult run = runCorvel({"--reset"}, environment);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("Corvel is already running."), std::string::npos);
    EXPECT_EQ(contentsOf(support / "store.json"), document);
    EXPECT_EQ(std::filesystem::last_write_time(support / "store.json"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(support),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(CorvelExecutable, refusesToStartWithoutHomeAndXdgDataHome) {
    auto environment = offscreenEnvironment();
    environment.remove("HOME");
    environment.remove("XDG_DATA_HOME");
    const ProcessResult run = runCorvel({}, environment);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("neither HOME nor XDG_DATA_HOME"), std::string::npos);
}

TEST(CorvelExecutable, answersHelpAndVersionAndRefusesUnknownOptions) {
    const auto environment = offscreenEnvironment();
    EXPECT_EQ(runCorvel({"--version"}, environment).exitCode, 0);
    EXPECT_EQ(runCorvel({"--help"}, environment).exitCode, 0);
    const ProcessResult wrong = runCorvel({"--scenery", "x"}, environment);
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.errors.find("Unknown option 'scenery'"), std::string::npos);
}

TEST(CorvelExecutable, aTourWhosePicturesCannotBeWrittenFailsAtOnceWithTheReason) {
    test::TemporaryFolder tour;
    // A full disk: the step's picture and the picture of the failure both.
    std::filesystem::create_symlink("/dev/full", tour / "step-01.png");
    std::filesystem::create_symlink("/dev/full", tour / "step-02.png");
    const ProcessResult run =
        runCorvel({"--tour", QString::fromStdString(tour.path().string())}, offscreenEnvironment());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("tour: failed: step 1 (Corvel has launched"), std::string::npos);
    EXPECT_NE(run.errors.find("step-01.png: No space left on device"), std::string::npos);
}

TEST(CorvelExecutable, aTourAskedToQuitSaysWhichStepItCutShort) {
    test::TemporaryFolder tour;
    QProcess process;
    process.setProcessEnvironment(offscreenEnvironment());
    process.setReadChannel(QProcess::StandardError);
    process.start(CORVEL_EXECUTABLE, {"--tour", QString::fromStdString(tour.path().string())});
    QByteArray errors;
    while (!errors.contains("tour step 1 ") && process.waitForReadyRead(30000))
        errors += process.readAllStandardError();
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(30000));
    errors += process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(errors.contains("tour: failed: step "));
    EXPECT_TRUE(errors.contains(") was cut short: Corvel was asked to quit"))
        << errors.toStdString();
}

TEST(CorvelExecutable, aTourOnADesktopItCannotPlaySaysAtOnceWhatItLacks) {
    test::TemporaryFolder folder;
    std::ofstream(folder / "bare.json")
        << R"({"permissions": {"accessibility": "denied"}, "applications": []})";
    const ProcessResult run =
        runCorvel({"--tour", QString::fromStdString((folder / "tour").string()), "--scenario",
                   QString::fromStdString((folder / "bare.json").string())},
                  offscreenEnvironment());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("cannot play on this desktop"), std::string::npos);
    EXPECT_NE(run.errors.find("the Accessibility permission"), std::string::npos);
    EXPECT_NE(run.errors.find("(it has 0)"), std::string::npos);
    EXPECT_NE(run.errors.find("a running Control Center"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "tour"));
}

TEST(LaunchOptionsTest, theSimulatedDesktopIsChosenByTheOptionByAScenarioOrTourAndAlwaysOffAMac) {
    auto parsed = [](QStringList arguments) {
        arguments.prepend("corvel");
        return std::get<app::LaunchOptions>(app::LaunchOptions::parse(arguments));
    };
    EXPECT_TRUE(parsed({"--simulated"}).simulated);
    EXPECT_TRUE(parsed({"--scenario", "desk.json"}).simulated);
    EXPECT_TRUE(parsed({"--tour", "pictures"}).simulated);
    EXPECT_FALSE(parsed({"--reset"}).simulated);
#if !CORVEL_NATIVE_MAC
    // Here there is no other desktop: the option changes nothing.
    EXPECT_TRUE(parsed({}).runsSimulated());
    EXPECT_TRUE(parsed({"--simulated"}).runsSimulated());
#else
    EXPECT_FALSE(parsed({}).runsSimulated());
#endif
}
