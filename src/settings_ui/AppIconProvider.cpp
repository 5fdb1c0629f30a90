#include "settings_ui/AppIconProvider.h"

#include "platform/FileURL.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/PlatformImageRenderer.h"
#include "ui/SymbolIcons.h"

namespace corvel {

AppIconProvider::AppIconProvider(std::shared_ptr<platform::Workspace> workspace)
    : workspace_(std::move(workspace)) {}

std::optional<QPixmap> AppIconProvider::icon(const std::string& bundleID) {
    if (bundleID.empty() || !workspace_)
        return std::nullopt;
    const auto key = QString::fromStdString(bundleID);
    if (auto found = found_.constFind(key); found != found_.constEnd())
        return *found;
    const auto url = workspace_->urlForApplicationWithBundleIdentifier(bundleID);
    if (!url)
        return std::nullopt;
    const auto path = platform::FileURL::path(*url);
    if (!path)
        return std::nullopt;
    auto result = PlatformImageRenderer::pixmap(workspace_->iconForFile(*path),
                                                ScreenStyle::color(ScreenStyle::Tone::primary));
    if (result.isNull())
        return std::nullopt;
    found_.insert(key, result);
    return result;
}

QPixmap AppIconProvider::iconOrPlaceholder(const std::string& bundleID, int side) {
    if (auto found = icon(bundleID))
        return found->scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return SymbolIcons::pixmap("app.dashed", QSize(side, side),
                               ScreenStyle::color(ScreenStyle::Tone::secondary));
}

} // namespace corvel
