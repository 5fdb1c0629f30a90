#include "ui/SymbolIcons.h"

#include "settings/GroupSymbolPicker.h"
#include "sim/SymbolCatalog.h"
#include "ui/SymbolIconTable.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace corvel;

namespace {

// Every symbol the settings, onboarding and Layout screens show besides the
// palette.
const std::vector<std::string> screenSymbols{"app.dashed",
                                             "checkmark.circle",
                                             "checkmark.circle.fill",
                                             "circle",
                                             "exclamationmark",
                                             "exclamationmark.triangle.fill",
                                             "eye.slash",
                                             "folder.badge.plus",
                                             "menubar.rectangle",
                                             "pencil",
                                             "plus.circle.fill",
                                             "questionmark.circle",
                                             "square.grid.3x1.below.line.grid.1x2",
                                             "trash",
                                             "xmark.circle.fill"};

std::set<std::string> mappedNames() {
    std::set<std::string> names;
    for (const auto& entry : SymbolIconTable::entries())
        names.emplace(entry.symbolName);
    return names;
}

QImage render(const std::string& name) {
    return SymbolIcons::pixmap(name, QSize(24, 24), Qt::black).toImage();
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(SymbolIcons, theIconsCoverExactlyTheSymbolsTheSimulatedDesktopKnows) {
    // A symbol the simulated system says exists must be drawable by the
    // interface, and the interface must not rely on a symbol it says is
    // missing (its status items would show no image).
    EXPECT_EQ(mappedNames(), sim::SymbolCatalog::names());
}

TEST(SymbolIcons, everyPaletteAndScreenSymbolHasAnIconWithInk) {
    std::vector<std::string> names(GroupSymbolPicker::availableSymbols.begin(),
                                   GroupSymbolPicker::availableSymbols.end());
    names.insert(names.end(), screenSymbols.begin(), screenSymbols.end());
    for (const auto& name : names) {
        EXPECT_TRUE(SymbolIconTable::file(name)) << name;
        EXPECT_TRUE(hasInk(render(name))) << name;
    }
}

TEST(SymbolIcons, noTwoSymbolsLookAlike) {
    std::set<std::string> files;
    std::vector<std::pair<std::string, QImage>> images;
    for (const auto& entry : SymbolIconTable::entries()) {
        EXPECT_TRUE(files.emplace(entry.file).second) << entry.symbolName;
        images.emplace_back(std::string(entry.symbolName), render(std::string(entry.symbolName)));
    }
    for (std::size_t a = 0; a < images.size(); ++a) {
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a].second, images[b].second)
                << images[a].first << " and " << images[b].first;
    }
}

TEST(SymbolIcons, anUnknownNameHasNoIconAndTheTableStaysSortedForLookUp) {
    EXPECT_FALSE(SymbolIconTable::file("no.such.symbol"));
    EXPECT_TRUE(SymbolIcons::pixmap("no.such.symbol", QSize(16, 16), Qt::black).isNull());
    EXPECT_TRUE(SymbolIcons::icon("no.such.symbol", Qt::black).isNull());
    auto entries = SymbolIconTable::entries();
    for (std::size_t index = 1; index < entries.size(); ++index)
        EXPECT_LT(entries[index - 1].symbolName, entries[index].symbolName);
}

TEST(SymbolIcons, aSymbolIsDrawnInTheColourAskedForAtTheDevicePixelRatio) {
    QImage image =
        SymbolIcons::pixmap("folder.fill", QSize(18, 18), QColor(200, 0, 0), 2.0).toImage();
    EXPECT_EQ(image.size(), QSize(36, 36));
    EXPECT_DOUBLE_EQ(image.devicePixelRatio(), 2.0);
    QColor centre = image.pixelColor(18, 20);
    EXPECT_EQ(centre.alpha(), 255);
    EXPECT_EQ(centre.red(), 200);
    EXPECT_EQ(centre.green(), 0);
}
