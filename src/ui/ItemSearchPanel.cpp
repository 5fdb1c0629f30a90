#include "ui/ItemSearchPanel.h"

#include "ui/FloatingPanel.h"
#include "ui/ItemSearchListModel.h"
#include "ui/ItemSearchRowDelegate.h"
#include "ui/SymbolIcons.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <algorithm>

namespace corvel {

namespace {

constexpr int inset = 8;
constexpr int spacing = 6;
constexpr int fieldIconSize = 14;
const char* const placeholder = "Find an Item";

// The field keeps every key that edits text: Space and the letters are
// typed, Left and Right move the caret. A combination with Command,
// Control or Option is someone else's.
StripKeyboard::Key searchKey(const QKeyEvent& event) {
    using Key = StripKeyboard::Key;
    const auto modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier)
        return Key::other;
    switch (event.key()) {
    case Qt::Key_Escape:
        return Key::escape;
    case Qt::Key_Down:
        return Key::next;
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        return Key::previous;
    case Qt::Key_Tab:
        return event.modifiers() & Qt::ShiftModifier ? Key::previous : Key::next;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::press;
    default:
        return Key::other;
    }
}

} // namespace

ItemSearchPanel::ItemSearchPanel()
    : QWidget(nullptr, FloatingPanel::windowFlags), field_(new QLineEdit), list_(new QListView),
      emptyLabel_(new QLabel) {
    FloatingPanel::configure(*this);
    setFocusProxy(field_);

    field_->setPlaceholderText(QString::fromUtf8(placeholder));
    field_->setClearButtonEnabled(true);
    field_->addAction(
        QIcon(SymbolIcons::pixmap("magnifyingglass", QSize(fieldIconSize, fieldIconSize),
                                  palette().color(QPalette::PlaceholderText))),
        QLineEdit::LeadingPosition);
    field_->installEventFilter(this);

    // The list never takes the keyboard from the field; it only shows.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setItemDelegate(new ItemSearchRowDelegate(list_));
    list_->viewport()->setAutoFillBackground(false);
    list_->setAttribute(Qt::WA_TranslucentBackground);
    QObject::connect(list_, &QListView::clicked, [this](const QModelIndex& index) {
        if (auto onChoose = onChoose_)
            onChoose(index.row());
    });

    QPalette secondary = emptyLabel_->palette();
    secondary.setColor(QPalette::WindowText, secondary.color(QPalette::PlaceholderText));
    emptyLabel_->setPalette(secondary);
    emptyLabel_->setAlignment(Qt::AlignCenter);
    emptyLabel_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->setSpacing(spacing);
    layout->addWidget(field_);
    layout->addWidget(list_);
    layout->addWidget(emptyLabel_);
}

void ItemSearchPanel::setOnTextChanged(std::function<void(const QString&)> onTextChanged) {
    QObject::disconnect(field_, &QLineEdit::textChanged, nullptr, nullptr);
    QObject::connect(
        field_, &QLineEdit::textChanged,
        [onTextChanged = std::move(onTextChanged)](const QString& text) { onTextChanged(text); });
}

void ItemSearchPanel::setOnChoose(std::function<void(int)> onChoose) {
    onChoose_ = std::move(onChoose);
}

void ItemSearchPanel::setOnEscape(std::function<void()> onEscape) {
    onEscape_ = std::move(onEscape);
}

void ItemSearchPanel::setModel(ItemSearchListModel* model) {
    list_->setModel(model);
}

void ItemSearchPanel::clearText() {
    const QSignalBlocker quiet(field_);
    field_->clear();
}

void ItemSearchPanel::showRows(const QString& emptyText) {
    const int count = list_->model() ? list_->model()->rowCount() : 0;
    const int listHeight = std::clamp(count, 1, visibleRows) * ItemSearchRowDelegate::rowHeight;
    list_->setFixedHeight(listHeight);
    emptyLabel_->setFixedHeight(listHeight);
    // A window's size changes about its top-left corner, so the panel stays
    // hanging under its icon.
    setFixedSize(width, inset * 2 + field_->sizeHint().height() + spacing + listHeight);

    const bool empty = count == 0;
    list_->setVisible(!empty);
    emptyLabel_->setVisible(empty);
    emptyLabel_->setText(emptyText);
    if (!empty) {
        list_->setCurrentIndex(list_->model()->index(0, 0));
        list_->scrollToTop();
    }
}

int ItemSearchPanel::chosenRow() const {
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool ItemSearchPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress &&
        respond(searchKey(*static_cast<QKeyEvent*>(event))))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool ItemSearchPanel::respond(StripKeyboard::Key key) {
    using Kind = StripKeyboard::Response::Kind;
    const int rows = list_->model() ? list_->model()->rowCount() : 0;
    std::optional<std::size_t> chosen;
    if (const int row = chosenRow(); row >= 0)
        chosen = static_cast<std::size_t>(row);
    const auto response = StripKeyboard::respond(key, chosen, static_cast<std::size_t>(rows));
    switch (response.kind) {
    case Kind::focus:
        list_->setCurrentIndex(list_->model()->index(static_cast<int>(response.row), 0));
        return true;
    case Kind::press:
        if (auto onChoose = onChoose_)
            onChoose(static_cast<int>(response.row));
        return true;
    case Kind::close:
        if (auto onEscape = onEscape_)
            onEscape();
        return true;
    case Kind::nothing:
        return true;
    case Kind::passOn:
        return false;
    }
    return false;
}

} // namespace corvel
