#include "app/LaunchOptions.h"

#include <QCommandLineParser>

namespace corvel::app {

namespace {

constexpr const char* version = CORVEL_VERSION;

#if CORVEL_NATIVE_MAC
constexpr bool onAMac = true;
#else
constexpr bool onAMac = false;
#endif

std::string text(const QString& string) {
    return string.toStdString();
}

// Parsed before the application object exists, Qt knows no program name.
std::string helpOf(const QCommandLineParser& parser) {
    QString help = parser.helpText();
    help.replace("<executable_name>", "corvel");
    return text(help);
}

} // namespace

std::variant<LaunchOptions, LaunchOptions::Exit>
LaunchOptions::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Corvel files the menu bar's status items into Groups. On a Mac it works on the Mac's own "
        "menu bar; on Linux, and with --simulated, on a simulated macOS 26 desktop.");
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption scenario(
        "scenario", "Run on the simulated desktop described in <file> instead of the built-in one.",
        "file");
    const QCommandLineOption store(
        "store", "Keep the Groups and Items in <file> instead of the standard location.", "file");
    const QCommandLineOption reset("reset", "Start with an empty store.");
    const QCommandLineOption tour(
        "tour",
        "Play a scripted tour of Corvel, write a picture of every step and the log into <dir>, "
        "and exit.",
        "dir");
    const QCommandLineOption simulated(
        "simulated",
        "Run on the simulated macOS 26 desktop, which needs no permission (always so on Linux).");
    parser.addOptions({simulated, scenario, store, reset, tour});

    if (!parser.parse(arguments))
        return Exit{2, "corvel: " + text(parser.errorText()) + "\n" + helpOf(parser)};
    if (!parser.positionalArguments().isEmpty())
        return Exit{2, "corvel: unexpected argument '" +
                           text(parser.positionalArguments().first()) + "'\n" + helpOf(parser)};
    // Qt lists --help-all beside --help; Corvel takes none of Qt's own
    // options, so both print the same help.
    if (parser.isSet(helpOption) || parser.isSet("help-all"))
        return Exit{0, helpOf(parser)};
    if (parser.isSet(versionOption))
        return Exit{0, std::string("corvel ") + version + "\n"};

    LaunchOptions options;
    if (parser.isSet(scenario))
        options.scenarioFile = text(parser.value(scenario));
    if (parser.isSet(store))
        options.storeFile = text(parser.value(store));
    options.reset = parser.isSet(reset);
    if (parser.isSet(tour))
        options.tourDirectory = text(parser.value(tour));
    options.simulated = parser.isSet(simulated) || options.scenarioFile.has_value() ||
                        options.tourDirectory.has_value();
    for (const auto* value : {&options.scenarioFile, &options.storeFile, &options.tourDirectory}) {
        if (*value && (*value)->empty())
            return Exit{2, "corvel: an option's file or folder name is empty\n"};
    }
    return options;
}

bool LaunchOptions::runsSimulated() const {
    return simulated || !onAMac;
}

} // namespace corvel::app
