// Writes offscreen pictures of the menu bar interface into a folder given on
// the command line: a Strip with rows, the same Strip after Down moved the
// keyboard focus, an empty Strip, the open primary menu and the symbol icons. The Strip's panel is
// clear, so it is drawn over a plain backdrop with a soft shadow, roughly as it sits on a desktop.
#include "UiHarness.h"
#include "domain/WellKnownGroup.h"
#include "ui/QtMenuPresenter.h"
#include "ui/StripPanel.h"
#include "ui/SymbolIconTable.h"
#include "ui/SymbolIcons.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

using namespace corvel;

namespace {

const GroupID tools{Uuid::literal("AAAAAAAA-0000-0000-0000-000000000001")};
const GroupID empty{Uuid::literal("BBBBBBBB-0000-0000-0000-000000000002")};

// A live snapshot as the backend would capture it: a dark glyph on nothing.
std::vector<std::uint8_t> snapshotOf(const char* symbol, int width) {
    QPixmap canvas(width, 18);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawPixmap((width - 16) / 2, 1, SymbolIcons::pixmap(symbol, QSize(16, 16), Qt::black));
    painter.end();
    return test::pngOf(canvas.toImage());
}

QImage onBackdrop(const QPixmap& panel) {
    const int margin = 24;
    QImage image(panel.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    image.fill(QColor(236, 238, 242));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int spread = 8; spread > 0; --spread) {
        QPainterPath shadow;
        shadow.addRoundedRect(QRectF(margin - spread, margin - spread + 3,
                                     panel.width() + 2 * spread, panel.height() + 2 * spread),
                              10, 10);
        painter.fillPath(shadow, QColor(0, 0, 0, 5));
    }
    QPainterPath surface;
    surface.addRoundedRect(QRectF(margin, margin, panel.width(), panel.height()), 8, 8);
    painter.fillPath(surface, QColor(250, 250, 252, 235));
    painter.drawPixmap(margin, margin, panel);
    return image;
}

bool save(const QImage& image, const QDir& folder, const char* name) {
    QString path = folder.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "corvel_ui_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QImage strip(test::UiHarness& ui, const GroupID& group, int downPresses = 0) {
    ui.strip->setPendingAnchorFrame(ItemFrame{1100, 0, 24, 24});
    ui.handle(SessionState::Event::groupIconClicked(group));
    for (int press = 0; press < downPresses; ++press) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(ui.strip->panel().focusWidget(), &down);
    }
    QImage picture = onBackdrop(ui.strip->panel().grab());
    ui.handle(SessionState::Event::escapeKeyPressed());
    return picture;
}

QImage primaryMenu(test::UiHarness& ui) {
    QMenu menu;
    QtMenuPresenter::fill(menu, ui.menu->menu());
    menu.adjustSize();
    return menu.grab().toImage();
}

QImage symbolSheet() {
    const int cell = 40, columns = 10;
    auto entries = SymbolIconTable::entries();
    int rows = int(entries.size() + columns - 1) / columns;
    QImage sheet(columns * cell, rows * cell, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        int x = int(index % columns) * cell + 8, y = int(index / columns) * cell + 8;
        painter.drawPixmap(x, y,
                           SymbolIcons::pixmap(std::string(entries[index].symbolName),
                                               QSize(24, 24), QColor(40, 40, 44)));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvel_ui_pictures <output folder>\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "corvel_ui_pictures: cannot create %s\n", argv[1]);
        return 1;
    }

    test::UiHarness ui;
    ui.addMember(tools, "Weather", "com.example.driftwood", false);
    ui.addMember(tools, "Clipboard History", "com.example.cobble", false);
    ui.addMember(tools, "VPN", "org.example.harbor", false);
    ui.addMember(tools, "Item-7", "com.example.sundial", true);
    ui.backend->queueCaptureResult(CaptureResult::captured({{}, snapshotOf("cloud.fill", 22)}));
    ui.backend->queueCaptureResult(CaptureResult::captured({{}, snapshotOf("doc.fill", 18)}));
    ui.backend->queueCaptureResult(CaptureResult::captured({{}, snapshotOf("shield.fill", 18)}));
    ui.backend->setPrimaryIconFrame(ItemFrame{1000, 0, 24, 24});

    bool written = save(strip(ui, tools), folder, "strip-with-rows.png") &&
                   save(strip(ui, tools, 1), folder, "strip-focused-row.png") &&
                   save(strip(ui, empty), folder, "strip-empty.png") &&
                   save(primaryMenu(ui), folder, "primary-menu.png") &&
                   save(symbolSheet(), folder, "symbols.png");
    return written ? 0 : 1;
}
