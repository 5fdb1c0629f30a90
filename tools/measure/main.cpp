// corvel_measure_calls: what Corvel asks of the platform while idle, per
// Strip and per press, and how long a change of the menu bar goes unseen,
// counted in virtual time on each built-in desktop and a generated one; and
// what a press costs live beyond its waits.
#include "QuietOffscreen.h"
#include "measure/CallMeasurement.h"
#include "measure/GeneratedDesktop.h"
#include "measure/PressOverhead.h"
#include "sim/ScenarioLoader.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

namespace {

using corvel::measure::CallMeasurement;

constexpr int generatedApplications = 40;
constexpr int generatedItems = 60;

const char* const usage =
    "usage: corvel_measure_calls [--desktop default|unhosted|generated]... [--live-press N]\n"
    "       corvel_measure_calls --write-generated FILE\n"
    "Prints, as a Markdown table, the platform calls Corvel makes on each\n"
    "desktop named (all three by default), counted in virtual time. With\n"
    "--live-press, presses an item N times on each desktop, live and in virtual\n"
    "time, and prints what each press took beyond its waits, and how much of\n"
    "that was the two loops' timers firing late. --write-generated\n"
    "writes the generated desktop as a scenario file for corvel --scenario.\n";

struct Column {
    std::string title;
    CallMeasurement::Result result;
};

std::string milliseconds(const std::optional<std::chrono::milliseconds>& time) {
    return time ? std::to_string(time->count()) + " ms" : "unseen";
}

void printRow(const std::string& work, const std::vector<Column>& columns,
              const std::function<std::string(const CallMeasurement::Result&)>& cell) {
    std::cout << "| " << work;
    for (const auto& column : columns)
        std::cout << " | " << cell(column.result);
    std::cout << " |\n";
}

void printTable(const std::vector<Column>& columns) {
    std::cout << "| work";
    for (const auto& column : columns)
        std::cout << " | " << column.title;
    std::cout << " |\n|---";
    for (std::size_t i = 0; i < columns.size(); ++i)
        std::cout << "|---";
    std::cout << "|\n";
    using Result = CallMeasurement::Result;
    printRow("window-list reads per idle minute", columns,
             [](const Result& r) { return std::to_string(r.idleMinute.windowListReads); });
    printRow("full accessibility scans per idle minute (accessibility reads)", columns,
             [](const Result& r) {
                 return std::to_string(r.idleMinuteFullScans) + " (" +
                        std::to_string(r.idleMinute.accessibilityReads) + ")";
             });
    printRow("accessibility reads to open a Strip (members; full scans)", columns,
             [](const Result& r) {
                 return std::to_string(r.stripOpen.accessibilityReads) + " (" +
                        std::to_string(r.stripMembers) + "; " +
                        std::to_string(r.stripOpenFullScans) + ")";
             });
    printRow("accessibility reads during a press, poll included (applications read; full "
             "scans; window-list reads; virtual time)",
             columns, [](const Result& r) {
                 return std::to_string(r.press.accessibilityReads) + " (" +
                        std::to_string(r.press.applicationsRead()) + "; " +
                        std::to_string(r.pressFullScans) + "; " +
                        std::to_string(r.press.windowListReads) + "; " +
                        std::to_string(r.pressDuration.count()) + " ms)";
             });
    printRow("time until a new item is seen (worst of 8)", columns,
             [](const Result& r) { return milliseconds(r.seenNewItem); });
    printRow("time until a person's drag is seen (worst of 8)", columns,
             [](const Result& r) { return milliseconds(r.seenPersonsDrag); });
    printRow("time until an application quitting is seen (worst of 8)", columns,
             [](const Result& r) { return milliseconds(r.seenQuit); });
}

corvel::sim::Scenario scenarioNamed(const std::string& name) {
    if (name == "generated")
        return corvel::measure::GeneratedDesktop::scenario(generatedApplications, generatedItems);
    return corvel::sim::ScenarioLoader::builtIn(name);
}

std::string titleOf(const std::string& name) {
    if (name == "generated")
        return "generated (" + std::to_string(generatedItems) + " items, " +
               std::to_string(generatedApplications) + " applications)";
    return name;
}

double inMilliseconds(corvel::async::Duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Live minus virtual, press by press, as least, median and most; then the
/// timers of both loops that fired during a press (its own waits, the poll's
/// and the desktop's), how late they were in all and each on average: the
/// machine's wake-ups, which Corvel's work does not cause.
void printPressOverhead(const std::string& title, const corvel::measure::PressOverhead::Result& r) {
    std::vector<double> overheads;
    std::vector<double> late;
    std::vector<double> fired;
    for (std::size_t i = 0; i < r.live.size() && i < r.waits.size(); ++i) {
        overheads.push_back(inMilliseconds(r.live[i] - r.waits[i]));
        late.push_back(inMilliseconds(r.timersLate.at(i)));
        fired.push_back(static_cast<double>(r.timersFired.at(i)));
    }
    if (overheads.empty())
        return;
    const auto [least, most] = std::minmax_element(overheads.begin(), overheads.end());
    const double lateEach = 1000 * median(late) / std::max(1.0, median(fired));
    std::cout << std::fixed << std::setprecision(2) << "| " << title << " | " << overheads.size()
              << " | " << inMilliseconds(r.waits.front()) << " ms | " << *least << " ms | "
              << median(overheads) << " ms | " << *most << " ms | " << std::setprecision(0)
              << median(fired) << " | " << std::setprecision(2) << median(late) << " ms | "
              << std::setprecision(0) << lateEach << " µs |\n";
}

int measurePresses(const std::vector<std::string>& names, int presses) {
    std::cout << "| desktop | presses | waits of the first | beyond waits: least | median | "
                 "most | timers fired | late in all | late each |\n"
                 "|---|---|---|---|---|---|---|---|---|\n";
    for (const auto& name : names) {
        try {
            printPressOverhead(titleOf(name), corvel::measure::PressOverhead::measure(
                                                  scenarioNamed(name), presses));
        } catch (const std::exception& error) {
            std::cerr << "corvel_measure_calls: " << name << ": " << error.what() << '\n';
            return 1;
        }
    }
    return 0;
}

int writeGenerated(const std::string& path) {
    std::ofstream file(path);
    file << corvel::measure::GeneratedDesktop::json(generatedApplications, generatedItems) << '\n';
    if (!file) {
        std::cerr << "corvel_measure_calls: could not write " << path << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names;
    int livePresses = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--desktop" && i + 1 < argc) {
            names.push_back(argv[++i]);
        } else if (argument == "--live-press" && i + 1 < argc) {
            livePresses = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--write-generated" && i + 1 < argc) {
            return writeGenerated(argv[++i]);
        } else {
            std::cerr << "corvel_measure_calls: unknown argument " << argument << '\n' << usage;
            return 2;
        }
    }
    if (names.empty())
        names = {corvel::sim::ScenarioLoader::defaultName,
                 corvel::sim::ScenarioLoader::unhostedName, "generated"};
    corvel::tools::useQuietOffscreenPlatform();
    QApplication application(argc, argv);
    if (livePresses > 0)
        return measurePresses(names, livePresses);

    std::vector<Column> columns;
    for (const auto& name : names) {
        try {
            CallMeasurement measurement(scenarioNamed(name));
            columns.push_back({titleOf(name), measurement.run()});
        } catch (const std::exception& error) {
            std::cerr << "corvel_measure_calls: " << name << ": " << error.what() << '\n';
            return 1;
        }
    }
    printTable(columns);
    return 0;
}
