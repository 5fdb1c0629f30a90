#include "settings_ui/AssignableItemRowView.h"

#include "settings_ui/NeedsAHandText.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMouseEvent>

namespace corvel {

namespace {
constexpr int iconSide = 22;
} // namespace

AssignableItemRowView::AssignableItemRowView(const AssignableItemRow& row,
                                             const std::vector<Group>& groups, Actions actions,
                                             const SettingsScreens& screens, QWidget* parent)
    : QWidget(parent), row_(row), actions_(std::move(actions)), drags_(&screens.drags()) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(8);
    icon_ = new QLabel;
    icon_->setFixedSize(iconSide, iconSide);
    icon_->setPixmap(screens.icons().iconOrPlaceholder(row.bundleID, iconSide));
    layout->addWidget(icon_);
    name_ = new RenameField(row.displayName, actions_.onRename);
    name_->label()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    name_->field()->setAlignment(Qt::AlignLeft);
    layout->addWidget(name_, 1);
    warning_ = new QLabel;
    warning_->setPixmap(SymbolIcons::pixmap("exclamationmark.triangle.fill", QSize(16, 16),
                                            ScreenStyle::color(ScreenStyle::Tone::orange)));
    layout->addWidget(warning_);
    picker_ = new QComboBox;
    picker_->setAccessibleName("Assign to");
    picker_->setMinimumWidth(140);
    layout->addWidget(picker_);
    connect(picker_, &QComboBox::activated, this, [this](int index) { choose(index); });
    setRow(row, groups);
}

void AssignableItemRowView::setRow(const AssignableItemRow& row, const std::vector<Group>& groups) {
    row_ = row;
    groups_ = groups;
    name_->setDisplayName(row.displayName);
    setAccessibleName(QString::fromStdString(row.displayName));
    setToolTip(QString::fromStdString(row.bundleID));
    warning_->setVisible(row.needsAHand);
    const auto help = QString::fromStdString(needsAHandHelpText(row.displayName));
    warning_->setToolTip(help);
    warning_->setAccessibleName("Needs a hand");
    warning_->setAccessibleDescription(help);

    showChoices(groups, row.groupID);
}

// The rows are read again whenever items come and go in the menu bar; a
// picker the person has open keeps its entries unless the Groups changed.
void AssignableItemRowView::showChoices(const std::vector<Group>& groups,
                                        const std::optional<GroupID>& chosen) {
    QStringList names{"Unresolved"};
    int current = chosen ? -1 : 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        names.push_back(QString::fromStdString(groups[i].name));
        if (chosen && *chosen == groups[i].id)
            current = static_cast<int>(i) + 1;
    }
    const QSignalBlocker blocker(picker_);
    QStringList shown;
    for (int i = 0; i < picker_->count(); ++i)
        shown.push_back(picker_->itemText(i));
    if (shown != names) {
        picker_->clear();
        picker_->addItems(names);
    }
    if (picker_->currentIndex() != current)
        picker_->setCurrentIndex(current);
}

void AssignableItemRowView::choose(int index) {
    if (index == 0) {
        if (actions_.onUnassign)
            actions_.onUnassign();
        return;
    }
    if (index > 0 && static_cast<std::size_t>(index) <= groups_.size() && actions_.onAssign)
        actions_.onAssign(groups_[static_cast<std::size_t>(index) - 1].id);
}

void AssignableItemRowView::mousePressEvent(QMouseEvent* event) {
    drags_->notePress(*event);
    QWidget::mousePressEvent(event);
}

void AssignableItemRowView::mouseMoveEvent(QMouseEvent* event) {
    if (name_->isRenaming() || !drags_->dragIfMoved(*event, this, row_.id))
        QWidget::mouseMoveEvent(event);
}

void AssignableItemRowView::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = name_->makeContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace corvel
