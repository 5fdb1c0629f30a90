#pragma once

#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

namespace corvel::app {

/// What the window system draws around a window on the Mac, which Qt's
/// offscreen platform leaves out: the title bar with its three buttons and
/// the title, rounded corners, the frosted material under a panel with a
/// clear background, and a soft shadow. The title bar stands above the
/// window's content, as a frame does around Qt's geometry. Main thread only.
struct WindowFrame {
    enum class Kind { titled, panel, alert };

    static constexpr double titleBarHeight = 28;

    Kind kind = Kind::titled;
    /// Where the window's content stands, in points.
    QRectF content;
    QString title;
    bool minimizable = false;
    bool zoomable = false;
    bool clearBackground = false;

    /// The frame the window system gives this Qt window, its content at
    /// `content`.
    static WindowFrame of(const QWidget& window, const QRectF& content);

    /// The whole window: the content and, for a titled window, its title bar.
    QRectF outline() const;
    /// Paints the frame with `picture` (the window's own drawing) inside it.
    void paint(QPainter& painter, const QPixmap& picture, double pixelsPerPoint) const;

  private:
    double cornerRadius() const;
    void paintTitleBar(QPainter& painter) const;
};

} // namespace corvel::app
