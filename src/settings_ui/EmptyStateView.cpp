#include "settings_ui/EmptyStateView.h"

#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QVBoxLayout>

namespace corvel {

EmptyStateView::EmptyStateView(const QString& title, const std::string& symbol,
                               const QString& description, QWidget* parent)
    : QWidget(parent) {
    using TextSize = ScreenStyle::TextSize;
    using Tone = ScreenStyle::Tone;
    setAccessibleName(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(10);
    layout->addStretch();
    auto* icon = new QLabel;
    icon->setPixmap(
        SymbolIcons::pixmap(symbol, QSize(40, 40), ScreenStyle::color(Tone::secondary)));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    title_ = ScreenStyle::label(title, TextSize::title);
    title_->setFont(ScreenStyle::font(TextSize::title, true));
    title_->setAlignment(Qt::AlignCenter);
    layout->addWidget(title_);
    if (!description.isEmpty()) {
        auto* text = ScreenStyle::label(description, TextSize::body, Tone::secondary);
        text->setAlignment(Qt::AlignCenter);
        text->setFixedWidth(360);
        layout->addWidget(text, 0, Qt::AlignHCenter);
        setAccessibleDescription(description);
    }
    layout->addStretch();
}

} // namespace corvel
