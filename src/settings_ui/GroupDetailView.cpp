#include "settings_ui/GroupDetailView.h"

#include "settings_ui/FormSection.h"
#include "settings_ui/ItemDrag.h"
#include "settings_ui/ScreenStyle.h"

#include <QDragEnterEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {
using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
} // namespace

GroupDetailView::GroupDetailView(const Group& group, const SettingsScreens& screens,
                                 QWidget* parent)
    : QScrollArea(parent), group_(group), screens_(screens) {
    setAccessibleName(QString::fromStdString(group.name));
    setWidgetResizable(true);
    setAcceptDrops(true);
    setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(14);
    const GroupID id = group.id;
    auto viewModel = screens.sharedViewModel();

    name_ = new QLineEdit(QString::fromStdString(group.name));
    name_->setPlaceholderText("Group name");
    name_->setAccessibleName("Name");
    connect(name_, &QLineEdit::textEdited, this, [viewModel, id](const QString& text) {
        viewModel->renameGroup(id, text.toStdString());
    });
    connect(name_, &QLineEdit::returnPressed, this,
            [this, viewModel, id] { viewModel->renameGroup(id, name_->text().toStdString()); });
    layout->addWidget(new FormSection("Name", name_));

    symbols_ = new SymbolPickerView(group.symbolName, [viewModel, id](const std::string& symbol) {
        viewModel->setSymbol(symbol, id);
    });
    layout->addWidget(new FormSection("Icon", symbols_));

    layout->addWidget(new FormSection("Shortcut", shortcutSection(viewModel)));

    auto* itemsBody = new QWidget;
    auto* itemsLayout = new QVBoxLayout(itemsBody);
    itemsLayout->setContentsMargins(0, 0, 0, 0);
    noItems_ =
        ScreenStyle::label("No Items yet — drag one here, or use a Picker in Unresolved Items.",
                           TextSize::body, Tone::secondary);
    itemsLayout->addWidget(noItems_);
    items_ = new ItemRowList(screens, /*offersUnassign=*/true);
    itemsLayout->addWidget(items_);
    layout->addWidget(new FormSection("Items in this Group", itemsBody));

    delete_ = new QPushButton("Delete Group");
    delete_->setAccessibleName("Delete Group");
    QPalette palette = delete_->palette();
    palette.setColor(QPalette::ButtonText, ScreenStyle::color(Tone::red));
    delete_->setPalette(palette);
    connect(delete_, &QPushButton::clicked, this, [this] { confirmDelete(); });
    layout->addWidget(delete_, 0, Qt::AlignLeft);
    layout->addStretch();
    setWidget(content);

    for (auto& observed : screens_.observeRowsAndGroups(this, [this] { showRows(); }))
        subscriptions_.push_back(std::move(observed));
    subscriptions_.push_back(
        viewModel->shortcutRefusals().observe([this](const auto&) { showShortcutRefusal(); }));
    showRows();
    showShortcutRefusal();
}

QWidget* GroupDetailView::shortcutSection(const std::shared_ptr<SettingsViewModel>& viewModel) {
    const GroupID id = group_.id;
    auto recorder = std::make_shared<ShortcutRecorderViewModel>(
        id, group_.shortcut, [viewModel] { return viewModel->groups().value(); },
        [viewModel, id](std::optional<KeyboardShortcut> shortcut) {
            viewModel->setShortcut(shortcut, id);
        });
    subscriptions_.push_back(recorder->isRecording().observe([this, viewModel](bool recording) {
        shortcutsSuspended_ = recording ? viewModel->suspendShortcuts() : nullptr;
    }));
    auto* section = new QWidget;
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    shortcut_ = new ShortcutRecorderView(recorder);
    column->addWidget(shortcut_);
    shortcutRefusal_ = ScreenStyle::label({}, TextSize::caption, Tone::red);
    shortcutRefusal_->setAccessibleName("Shortcut Not Registered");
    column->addWidget(shortcutRefusal_);
    return section;
}

void GroupDetailView::showShortcutRefusal() {
    const auto message = screens_.viewModel().shortcutRefusalMessage(group_.id);
    shortcutRefusal_->setText(message ? QString::fromStdString(*message) : QString());
    shortcutRefusal_->setVisible(message.has_value());
}

void GroupDetailView::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    screens_.start(screens_.viewModel().refreshRows());
}

void GroupDetailView::dragEnterEvent(QDragEnterEvent* event) {
    ItemDrag::acceptIfItem(*event);
}

void GroupDetailView::dragMoveEvent(QDragMoveEvent* event) {
    ItemDrag::acceptIfItem(*event);
}

void GroupDetailView::dropEvent(QDropEvent* event) {
    if (const auto item = ItemDrag::acceptIfItem(*event))
        screens_.start(screens_.viewModel().assign(*item, group_.id));
}

void GroupDetailView::showRows() {
    const auto& viewModel = screens_.viewModel();
    const auto rows = viewModel.rowsIn(group_.id);
    noItems_->setVisible(rows.empty());
    items_->setVisible(!rows.empty());
    items_->setRows(rows, viewModel.groups().value());
}

std::string GroupDetailView::currentName() const {
    for (const auto& group : screens_.viewModel().groups().value())
        if (group.id == group_.id)
            return group.name;
    return group_.name;
}

std::string GroupDetailView::deleteConfirmationTitle(const std::string& groupName) {
    return "Delete \"" + groupName +
           "\"? Its Items become Unresolved and return to the visible Menu Bar.";
}

void GroupDetailView::confirmDelete() {
    platform::Alert alert{.messageText = deleteConfirmationTitle(currentName()),
                          .informativeText = {},
                          .buttons = {"Delete Group", "Cancel"}};
    // Asked once the button's handler has returned: the answer may come after
    // this pane is gone, so nothing of it is touched then.
    QTimer::singleShot(0, this, [screens = screens_, id = group_.id, alert] {
        if (screens.alerts().runModal(alert) == platform::Alert::firstButtonReturn)
            screens.start(screens.viewModel().deleteGroup(id));
    });
}

} // namespace corvel
