#include "app/DesktopPainter.h"

#include "app/SoftShadow.h"
#include "sim/ItemPainter.h"
#include "ui/PlatformImageRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace corvel::app {

namespace {

const QColor ink(29, 29, 31);
// The system accent behind a highlighted menu entry.
const QColor accent(10, 110, 230);
constexpr double menuCornerRadius = 7;
const SoftShadow menuShadow{.blur = 14, .drop = 5, .alpha = 60};
// Wider than this and without a title, a foreign item shows its description.
constexpr double glyphOnlyWidth = 60;

QRectF toQt(const platform::Rect& rect) {
    return {rect.origin.x, rect.origin.y, rect.size.width, rect.size.height};
}

QFont barFont(bool bold = false) {
    QFont font;
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

QImage glyphOf(const sim::BarItem& item, double width, double height, double pixelsPerPoint) {
    const auto pixels = [&](double points) {
        return static_cast<std::uint32_t>(std::max(1.0, points * pixelsPerPoint));
    };
    const auto picture =
        sim::ItemPainter::item(item.color, item.windowNumber, pixels(width), pixels(height));
    return QImage(picture.rgba.data(), static_cast<int>(picture.width),
                  static_cast<int>(picture.height), static_cast<int>(picture.width) * 4,
                  QImage::Format_RGBA8888)
        .copy();
}

// Our font is wider than the Mac's, so text that fills its place there is
// set a little narrower here rather than spill over its neighbours.
void drawText(QPainter& painter, const QRectF& box, const QString& text, int flags,
              const QColor& colour = ink) {
    QFont font = barFont();
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width() && box.width() > 0)
        font.setStretch(
            std::max<int>(QFont::ExtraCondensed,
                          static_cast<int>(double{QFont::Unstretched} * box.width() / width)));
    painter.setPen(colour);
    painter.setFont(font);
    painter.drawText(box, flags | Qt::AlignVCenter, text);
}

} // namespace

void DesktopPainter::paint(QPainter& painter, const DesktopScene& scene, double pixelsPerPoint) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF screen(0, 0, scene.screen.width, scene.screen.height);
    QLinearGradient wallpaper(screen.topLeft(), screen.bottomRight());
    wallpaper.setColorAt(0, QColor(92, 141, 214));
    wallpaper.setColorAt(1, QColor(38, 64, 112));
    painter.fillRect(screen, wallpaper);
    paintMenuBar(painter, scene);
    painter.setClipRect(QRectF(0, 0, scene.screen.width, scene.screen.menuBarHeight));
    for (const auto& item : scene.items)
        paintItem(painter, scene, item, pixelsPerPoint);
    painter.setClipping(false);
    for (const auto& menu : scene.menus)
        paintMenu(painter, menu, pixelsPerPoint);
    painter.restore();
}

void DesktopPainter::paintMenuBar(QPainter& painter, const DesktopScene& scene) {
    const double height = scene.screen.menuBarHeight;
    painter.fillRect(QRectF(0, 0, scene.screen.width, height), QColor(246, 246, 248, 215));
    // The system menu's mark, then the front application's name and menus.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(14, height / 2 - 6, 12, 12));
    double x = 40;
    bool first = true;
    for (const auto& title : [&] {
             std::vector<std::string> all;
             if (!scene.frontApplication.empty())
                 all.push_back(scene.frontApplication);
             all.insert(all.end(), scene.frontMenus.begin(), scene.frontMenus.end());
             return all;
         }()) {
        const QFont font = barFont(first);
        const QString text = QString::fromStdString(title);
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(QRectF(x, 0, width + 2, height), Qt::AlignVCenter | Qt::AlignLeft, text);
        x += width + 20;
        first = false;
    }
}

void DesktopPainter::paintItem(QPainter& painter, const DesktopScene& scene,
                               const sim::BarItem& item, double pixelsPerPoint) {
    const QRectF frame = toQt(item.frame);
    if (frame.right() <= 0 || frame.left() >= scene.screen.width)
        return;
    const bool menuOpen = std::any_of(scene.menus.begin(), scene.menus.end(), [&](const auto& m) {
        return m.itemWindowNumber == item.windowNumber;
    });
    if (menuOpen) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 30));
        painter.drawRoundedRect(frame.adjusted(1, 2, -1, -2), 4, 4);
    }
    if (item.isLeftover) {
        // A leftover of a crashed run: a window nobody draws into any more.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
        painter.drawRoundedRect(frame.adjusted(2, 4, -2, -4), 3, 3);
        return;
    }
    const QString title = QString::fromStdString(item.title);
    const bool own = item.creatorPid == scene.selfPid;
    if (item.image && item.imagePosition != platform::ImagePosition::noImage) {
        const QPixmap picture = PlatformImageRenderer::pixmap(*item.image, ink, pixelsPerPoint);
        const QSizeF size(item.image->size().width, item.image->size().height);
        const bool titled =
            !title.isEmpty() && item.imagePosition != platform::ImagePosition::imageOnly;
        const double titleWidth =
            titled ? QFontMetricsF(barFont()).horizontalAdvance(title) + 4 : 0;
        const double left = frame.center().x() - (size.width() + titleWidth) / 2;
        painter.drawPixmap(QRectF(QPointF(left, frame.center().y() - size.height() / 2), size),
                           picture, QRectF());
        if (titled)
            drawText(painter, QRectF(left + size.width() + 4, 0, titleWidth, frame.height()), title,
                     Qt::AlignLeft);
    } else if (item.identifier == DesktopScene::clockIdentifier) {
        drawText(painter, frame, QString::fromStdString(scene.clockText), Qt::AlignHCenter);
    } else if (!title.isEmpty()) {
        drawText(painter, frame, title, Qt::AlignHCenter);
    } else if (!own && frame.width() > glyphOnlyWidth && !item.description.empty()) {
        drawText(painter, frame, QString::fromStdString(item.description), Qt::AlignHCenter);
    } else if (!own) {
        const double width = std::min(frame.width() - 6, 22.0);
        const double height = std::min(frame.height() - 4, 20.0);
        painter.drawImage(
            QRectF(frame.center().x() - width / 2, frame.center().y() - height / 2, width, height),
            glyphOf(item, width, height, pixelsPerPoint));
    }
}

void DesktopPainter::paintMenu(QPainter& painter, const sim::OpenMenu& menu,
                               double pixelsPerPoint) {
    const QRectF frame = toQt(menu.frame);
    menuShadow.paint(painter, frame, menuCornerRadius, pixelsPerPoint);
    painter.setBrush(QColor(250, 250, 252, 245));
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.drawRoundedRect(frame, menuCornerRadius, menuCornerRadius);
    double y = frame.top() + sim::OpenMenu::topPadding;
    for (std::size_t index = 0; index < menu.titles.size(); ++index) {
        const auto& title = menu.titles[index];
        const QRectF row(frame.left(), y, frame.width(), sim::OpenMenu::rowHeight);
        const bool highlighted = menu.highlightedRow == index;
        if (highlighted) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(accent);
            painter.drawRoundedRect(row.adjusted(5, 0, -5, 0), 4, 4);
        }
        if (title == "-") {
            painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
            painter.drawLine(QPointF(row.left() + 10, row.center().y()),
                             QPointF(row.right() - 10, row.center().y()));
        } else {
            drawText(painter, row.adjusted(14, 0, -10, 0), QString::fromStdString(title),
                     Qt::AlignLeft, highlighted ? QColor(Qt::white) : ink);
        }
        y += sim::OpenMenu::rowHeight;
    }
}

} // namespace corvel::app
