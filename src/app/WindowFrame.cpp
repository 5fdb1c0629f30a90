#include "app/WindowFrame.h"

#include "app/SoftShadow.h"

#include <QFont>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace corvel::app {

namespace {

const QColor titleBarColour(236, 236, 236);
const QColor titleColour(77, 77, 77);
const QColor hairline(0, 0, 0, 40);
const QColor frostedMaterial(246, 246, 248, 235);
constexpr double buttonDiameter = 12;
constexpr double firstButtonCentre = 20;
constexpr double buttonSpacing = 20;

struct TitleButton {
    QColor fill;
    QColor rim;
};
const TitleButton closeButton{QColor(255, 95, 87), QColor(224, 68, 62)};
const TitleButton minimizeButton{QColor(254, 188, 46), QColor(222, 161, 35)};
const TitleButton zoomButton{QColor(40, 200, 64), QColor(26, 171, 41)};
const TitleButton disabledButton{QColor(221, 221, 221), QColor(200, 200, 200)};

// Windows cast a deep shadow; alerts and panels, which float close above, a
// lighter one.
const SoftShadow windowShadow{.blur = 28, .drop = 10, .alpha = 90};
const SoftShadow floatingShadow{.blur = 16, .drop = 6, .alpha = 70};

} // namespace

WindowFrame WindowFrame::of(const QWidget& window, const QRectF& content) {
    WindowFrame frame;
    frame.content = content;
    frame.title = window.windowTitle();
    frame.clearBackground = window.testAttribute(Qt::WA_TranslucentBackground);
    const Qt::WindowFlags flags = window.windowFlags();
    if (qobject_cast<const QMessageBox*>(&window))
        frame.kind = Kind::alert;
    else if (flags.testFlag(Qt::FramelessWindowHint) ||
             (window.windowType() != Qt::Window && window.windowType() != Qt::Dialog))
        frame.kind = Kind::panel;
    frame.minimizable = flags.testFlag(Qt::WindowMinimizeButtonHint);
    frame.zoomable = flags.testFlag(Qt::WindowMaximizeButtonHint);
    return frame;
}

QRectF WindowFrame::outline() const {
    return kind == Kind::titled ? content.adjusted(0, -titleBarHeight, 0, 0) : content;
}

double WindowFrame::cornerRadius() const {
    switch (kind) {
    case Kind::titled:
        return 12;
    case Kind::alert:
        return 14;
    case Kind::panel:
        return 10;
    }
    return 0;
}

void WindowFrame::paint(QPainter& painter, const QPixmap& picture, double pixelsPerPoint) const {
    const QRectF whole = outline();
    const double radius = cornerRadius();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    (kind == Kind::titled ? windowShadow : floatingShadow)
        .paint(painter, whole, radius, pixelsPerPoint);
    QPainterPath shape;
    shape.addRoundedRect(whole, radius, radius);
    painter.setClipPath(shape);
    painter.setPen(Qt::NoPen);
    if (clearBackground) {
        painter.setBrush(frostedMaterial);
        painter.drawRect(whole);
    }
    if (kind == Kind::titled)
        paintTitleBar(painter);
    painter.drawPixmap(content, picture, QRectF());
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hairline, 0.5));
    painter.drawPath(shape);
    painter.restore();
}

void WindowFrame::paintTitleBar(QPainter& painter) const {
    const QRectF bar(content.left(), content.top() - titleBarHeight, content.width(),
                     titleBarHeight);
    painter.fillRect(bar, titleBarColour);
    painter.setPen(QPen(hairline, 0.5));
    painter.drawLine(bar.bottomLeft(), bar.bottomRight());
    const TitleButton buttons[] = {closeButton, minimizable ? minimizeButton : disabledButton,
                                   zoomable ? zoomButton : disabledButton};
    double x = bar.left() + firstButtonCentre;
    for (const auto& button : buttons) {
        painter.setPen(QPen(button.rim, 0.5));
        painter.setBrush(button.fill);
        painter.drawEllipse(QPointF(x, bar.center().y()), buttonDiameter / 2, buttonDiameter / 2);
        x += buttonSpacing;
    }
    QFont font;
    font.setPixelSize(13);
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(titleColour);
    painter.drawText(bar, Qt::AlignCenter, title);
}

} // namespace corvel::app
