#include "settings_ui/SettingsSidebar.h"

#include "settings_ui/ItemDrag.h"
#include "settings_ui/ScreenStyle.h"
#include "settings_ui/SidebarRowDelegate.h"
#include "ui/SymbolIcons.h"

#include <QDragEnterEvent>

namespace corvel {

namespace {
// Index into selections_, or -1 for a section header.
constexpr int selectionRole = Qt::UserRole + 1;
} // namespace

SettingsSidebar::SettingsSidebar(Actions actions, QWidget* parent)
    : QListWidget(parent), actions_(std::move(actions)) {
    setAccessibleName("Sidebar");
    setItemDelegate(new SidebarRowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setIconSize(QSize(16, 16));
    setSpacing(1);
    // The sidebar sits on the window's own tone, a shade apart from the panes.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window).darker(104));
    palette.setColor(QPalette::Highlight, ScreenStyle::accent());
    setPalette(palette);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        if (isRebuilding_ || !current)
            return;
        if (auto selection = selectionAt(current); selection && actions_.onSelect)
            actions_.onSelect(*selection);
    });
    setGroups({});
}

QListWidgetItem* SettingsSidebar::addRow(const QString& title, const std::string& symbol,
                                         const SettingsSidebarSelection& selection) {
    // The symbol turns white on the selected row's accent.
    QIcon icon;
    for (const int side : {16, 32}) {
        icon.addPixmap(SymbolIcons::pixmap(symbol, QSize(side, side), ScreenStyle::accent()),
                       QIcon::Normal);
        icon.addPixmap(SymbolIcons::pixmap(symbol, QSize(side, side), Qt::white), QIcon::Selected);
    }
    auto* row = new QListWidgetItem(icon, title, this);
    row->setData(selectionRole, static_cast<int>(selections_.size()));
    row->setData(Qt::AccessibleTextRole, title);
    selections_.push_back(selection);
    return row;
}

void SettingsSidebar::addHeader(const QString& title) {
    auto* header = new QListWidgetItem(title, this);
    header->setFlags(Qt::NoItemFlags);
    header->setData(selectionRole, -1);
    header->setData(SidebarRowDelegate::headerRole, true);
}

void SettingsSidebar::setGroups(const std::vector<Group>& groups) {
    const auto selected = selectionAt(currentItem());
    const auto unresolvedCount =
        unresolvedRow_ ? unresolvedRow_->data(SidebarRowDelegate::badgeRole) : QVariant();
    isRebuilding_ = true;
    dropTarget_ = nullptr;
    clear();
    selections_.clear();
    addRow("Layout", "square.grid.3x1.below.line.grid.1x2", SettingsSidebarSelection::layout());
    if (!groups.empty()) {
        addHeader("Groups");
        for (const auto& group : groups) {
            auto* row = addRow(QString::fromStdString(group.name), group.symbolName,
                               SettingsSidebarSelection::group(group.id));
            row->setToolTip("Drag Items into this Group in the Layout pane");
        }
    }
    addHeader({});
    unresolvedRow_ =
        addRow("Unresolved Items", "questionmark.circle", SettingsSidebarSelection::unresolved());
    unresolvedRow_->setData(SidebarRowDelegate::badgeRole,
                            unresolvedCount.isValid() ? unresolvedCount : 0);
    addRow("Hidden Group", "eye.slash", SettingsSidebarSelection::hiddenGroup());
    select(selected);
    isRebuilding_ = false;
}

void SettingsSidebar::setUnresolvedCount(std::size_t count) {
    unresolvedRow_->setData(SidebarRowDelegate::badgeRole, static_cast<int>(count));
    unresolvedRow_->setData(Qt::AccessibleTextRole,
                            QStringLiteral("Unresolved Items, %1").arg(count));
}

void SettingsSidebar::select(const std::optional<SettingsSidebarSelection>& selection) {
    const bool wasRebuilding = isRebuilding_;
    isRebuilding_ = true;
    auto* row = selection ? rowFor(*selection) : nullptr;
    setCurrentItem(row);
    if (!row)
        clearSelection();
    isRebuilding_ = wasRebuilding;
}

QStringList SettingsSidebar::rowTitles() const {
    QStringList titles;
    for (int i = 0; i < count(); ++i)
        titles << item(i)->text();
    return titles;
}

QListWidgetItem* SettingsSidebar::rowFor(const SettingsSidebarSelection& selection) const {
    for (int i = 0; i < count(); ++i)
        if (selectionAt(item(i)) == selection)
            return item(i);
    return nullptr;
}

std::optional<SettingsSidebarSelection>
SettingsSidebar::selectionAt(const QListWidgetItem* row) const {
    if (!row)
        return std::nullopt;
    const int index = row->data(selectionRole).toInt();
    if (index < 0 || static_cast<std::size_t>(index) >= selections_.size())
        return std::nullopt;
    return selections_[static_cast<std::size_t>(index)];
}

QListWidgetItem* SettingsSidebar::dropTargetAt(const QPoint& position) const {
    auto* row = itemAt(position);
    const auto selection = selectionAt(row);
    return selection && selection->kind() == SettingsSidebarSelection::Kind::group ? row : nullptr;
}

void SettingsSidebar::setDropTarget(QListWidgetItem* row) {
    if (dropTarget_ == row)
        return;
    if (dropTarget_)
        dropTarget_->setData(SidebarRowDelegate::dropTargetRole, false);
    dropTarget_ = row;
    if (dropTarget_)
        dropTarget_->setData(SidebarRowDelegate::dropTargetRole, true);
}

void SettingsSidebar::dragEnterEvent(QDragEnterEvent* event) {
    if (!ItemDrag::itemID(event->mimeData())) {
        event->ignore();
        return;
    }
    // Accepted over the whole list so that moves reach the Group rows.
    event->acceptProposedAction();
    setDropTarget(dropTargetAt(event->position().toPoint()));
}

void SettingsSidebar::dragMoveEvent(QDragMoveEvent* event) {
    auto* target =
        ItemDrag::itemID(event->mimeData()) ? dropTargetAt(event->position().toPoint()) : nullptr;
    setDropTarget(target);
    if (target)
        event->acceptProposedAction();
    else
        event->ignore();
}

void SettingsSidebar::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropTarget(nullptr);
    event->accept();
}

void SettingsSidebar::dropEvent(QDropEvent* event) {
    setDropTarget(nullptr);
    const auto item = ItemDrag::itemID(event->mimeData());
    const auto selection = selectionAt(dropTargetAt(event->position().toPoint()));
    if (!item || !selection) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (actions_.onDropItem)
        actions_.onDropItem(*item, *selection->groupID());
}

} // namespace corvel
