#include "ui/ItemPicture.h"

#include "ui/PlatformImageRenderer.h"
#include "ui/StripRowImageSize.h"

#include <QImage>

namespace corvel {

namespace {

std::optional<ItemPicture> snapshotPicture(const std::vector<std::uint8_t>& png, const QColor& tint,
                                           qreal pixelRatio) {
    QImage snapshot = QImage::fromData(png.data(), int(png.size()), "PNG");
    if (snapshot.isNull())
        return std::nullopt;
    auto size = StripRowImageSize::forSnapshot(snapshot.width(), snapshot.height());
    if (!size)
        return std::nullopt;
    QSizeF points(size->width, size->height);
    return ItemPicture{PlatformImageRenderer::templatePixmap(snapshot, points, tint, pixelRatio),
                       points.toSize()};
}

std::optional<ItemPicture> applicationIcon(const std::string& bundleID,
                                           platform::Workspace* workspace, const QColor& tint,
                                           qreal pixelRatio) {
    if (!workspace)
        return std::nullopt;
    auto applications = workspace->runningApplicationsWithBundleIdentifier(bundleID);
    if (applications.empty() || !applications.front().icon)
        return std::nullopt;
    const auto& icon = *applications.front().icon;
    QPixmap pixmap = PlatformImageRenderer::pixmap(icon, tint, pixelRatio);
    if (pixmap.isNull())
        return std::nullopt;
    return ItemPicture{pixmap, QSizeF(icon.size().width, icon.size().height).toSize()};
}

} // namespace

std::optional<ItemPicture>
ItemPicture::of(const std::optional<std::vector<std::uint8_t>>& snapshotPNG,
                const std::string& bundleID, platform::Workspace* workspace, const QColor& tint,
                qreal pixelRatio) {
    if (snapshotPNG) {
        if (auto picture = snapshotPicture(*snapshotPNG, tint, pixelRatio))
            return picture;
    }
    return applicationIcon(bundleID, workspace, tint, pixelRatio);
}

} // namespace corvel
