#include "ui/ItemSearchPanel.h"

#include "ui/FloatingPanel.h"
#include "ui/ItemSearchListModel.h"
#include "ui/ItemSearchRowDelegate.h"
#include "ui/PanelKeys.h"
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

} // namespace

ItemSearchPanel::ItemSearchPanel()
    : QWidget(nullptr, FloatingPanel::windowFlags), field_(new QLineEdit), list_(new QListView),
      emptyLabel_(new QLabel) {
    FloatingPanel::configure(*this);
    setFocusProxy(field_);

    field_->setPlaceholderText(QString::fromUtf8(placeholder));
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
        respond(PanelKeys::keyOf(*static_cast<QKeyEvent*>(event), PanelKeys::Space::types)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// The field keeps every key that edits text: Space and the letters are
// typed, Left and Right move the caret.
bool ItemSearchPanel::respond(StripKeyboard::Key key) {
    const int rows = list_->model() ? list_->model()->rowCount() : 0;
    std::optional<std::size_t> chosen;
    if (const int row = chosenRow(); row >= 0)
        chosen = static_cast<std::size_t>(row);
    return PanelKeys::respond(key, chosen, static_cast<std::size_t>(rows),
                              {
                                  .choose =
                                      [this](std::size_t row) {
                                          list_->setCurrentIndex(
                                              list_->model()->index(static_cast<int>(row), 0));
                                      },
                                  .press =
                                      [this](std::size_t row) {
                                          if (auto onChoose = onChoose_)
                                              onChoose(static_cast<int>(row));
                                      },
                                  .close =
                                      [this] {
                                          if (auto onEscape = onEscape_)
                                              onEscape();
                                      },
                              });
}

} // namespace corvel
