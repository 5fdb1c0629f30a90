#pragma once

#include "platform/Workspace.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace corvel {

/// Application icons for the settings screens, looked up through the
/// workspace by bundle identifier: the installed application's URL, then the
/// workspace's icon for that file. Main thread only.
class AppIconProvider {
  public:
    explicit AppIconProvider(std::shared_ptr<platform::Workspace> workspace);

    /// None for an empty identifier, an application the workspace cannot
    /// find, or an icon that cannot be drawn; the screens then show the
    /// `app.dashed` symbol.
    std::optional<QPixmap> icon(const std::string& bundleID);

    /// The icon fitted into `side` × `side`, or the `app.dashed` symbol in the
    /// secondary colour when there is none.
    QPixmap iconOrPlaceholder(const std::string& bundleID, int side);

  private:
    std::shared_ptr<platform::Workspace> workspace_;
    // Icons found so far; decoding a PNG for every row refresh is wasted work.
    QHash<QString, QPixmap> found_;
};

} // namespace corvel
