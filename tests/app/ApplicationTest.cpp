#include "app/CorvelApplication.h"
#include "app/LaunchOptions.h"
#include "app/RunQt.h"
#include "app/SingleInstanceLock.h"
#include "app/TerminationSignals.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/ScenarioLoader.h"
#include "support/FileContents.h"
#include "support/MemoryLog.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QProcess>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

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

// Ctrl-C, a shutdown and a closed terminal all quit the way the menu does.
TEST_F(ApplicationFixture, aChangeFollowedAtOnceByQuitOrATerminationSignalIsOnDisk) {
    for (int signal : {0, SIGTERM, SIGINT, SIGHUP}) {
        launch();
        const auto group = groupNamed("Ended by " + std::to_string(signal));
        application->delegate()->store()->upsertGroup(group);
        if (signal == 0)
            application->terminate();
        else
            ::raise(signal);
        ASSERT_TRUE(test::runQtUntil([&] { return application->hasEnded(); })) << signal;
        EXPECT_NE(test::fileContents(folder / "store.json").find(group.name), std::string::npos)
            << signal;
        application.reset();
        EXPECT_NE(test::fileContents(folder / "store.json").find(group.id.rawValue().text()),
                  std::string::npos)
            << signal;
    }
}

// The main thread never gets to run here, as when a quit is stuck.
TEST(TerminationSignalsDeathTest, aSecondSignalEndsTheProcessFromTheHandlerItself) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            app::TerminationSignals signals([] {});
            ::raise(SIGINT);
            ::raise(SIGTERM);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

TEST_F(ApplicationFixture, windowFramesAreKeptInAFileOfTheUserAlone) {
    const auto defaults = folder / "defaults.ini";
    std::ofstream(defaults) << "";
    // As an older Corvel left it.
    std::filesystem::permissions(defaults, std::filesystem::perms(0644));
    launch();
    auto& settings = application->delegate()->settingsWindowController()->window();
    settings.show();
    settings.close();
    EXPECT_NE(test::fileContents(defaults), "");
    EXPECT_EQ(std::filesystem::status(defaults).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
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
    std::string output;
};

// Every run here ends by itself within moments; one that starts Corvel
// instead is killed after a while and fails on its output.
ProcessResult runCorvel(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(CORVEL_EXECUTABLE, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {-1, "still running", ""};
    }
    return {process.exitCode(), process.readAllStandardError().toStdString(),
            process.readAllStandardOutput().toStdString()};
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
    EXPECT_EQ(test::fileContents(support / "store.json"), document);
    EXPECT_EQ(std::filesystem::last_write_time(support / "store.json"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(support),
                            std::filesystem::directory_iterator()),
              2);
    // The lock made the per-user folders, for the user alone.
    for (const auto& made : {home / ".local", home / ".local/share", support})
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all)
            << made;
}

TEST(CorvelExecutable, refusesAStoreThatIsNoFileAndLeavesItAsItIs) {
    test::TemporaryFolder home;
    std::filesystem::create_directory(home / "Documents");
    std::ofstream(home / "Documents" / "letter.txt") << "Dear";
    ASSERT_EQ(::mkfifo((home / "pipe").c_str(), 0600), 0);
    auto environment = offscreenEnvironment();
    environment.insert("HOME", QString::fromStdString(home.path().string()));
    environment.remove("XDG_DATA_HOME");
    for (const auto* store : {"Documents", "pipe", "/dev/null"}) {
        const auto path = (home / store).lexically_normal();
        const ProcessResult run =
            runCorvel({"--store", QString::fromStdString(path.string())}, environment);
        EXPECT_EQ(run.exitCode, 1) << store;
        EXPECT_NE(run.errors.find("Corvel can't keep its store in " + path.string()),
                  std::string::npos)
            << run.errors;
    }
    EXPECT_EQ(test::fileContents(home / "Documents" / "letter.txt"), "Dear");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()),
                            std::filesystem::directory_iterator()),
              2)
        << "something was renamed or made";
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
    for (const auto* help : {"--help", "--help-all"}) {
        const ProcessResult run = runCorvel({help}, environment);
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_NE(run.output.find("--scenario <file>"), std::string::npos) << help;
    }
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
