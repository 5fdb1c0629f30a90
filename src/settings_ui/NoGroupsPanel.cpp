#include "settings_ui/NoGroupsPanel.h"

#include "settings_ui/ProminentButton.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvel {

NoGroupsPanel::NoGroupsPanel(std::function<void()> onNewGroup, QWidget* parent) : QWidget(parent) {
    using TextSize = ScreenStyle::TextSize;
    using Tone = ScreenStyle::Tone;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    auto* symbol = new QLabel;
    symbol->setPixmap(SymbolIcons::pixmap("folder.badge.plus", QSize(40, 40),
                                          ScreenStyle::color(Tone::secondary)));
    layout->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* title = ScreenStyle::label("No Groups Yet", TextSize::title);
    title->setFont(ScreenStyle::font(TextSize::title, true));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* text = ScreenStyle::label("Create a Group to start tucking Items away — each one shows "
                                    "as a single icon in the Menu Bar.",
                                    TextSize::callout, Tone::secondary);
    text->setAlignment(Qt::AlignCenter);
    text->setFixedWidth(360);
    layout->addWidget(text, 0, Qt::AlignHCenter);
    button_ = ProminentButton::make("New Group");
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    connect(button_, &QPushButton::clicked, this, [onNewGroup = std::move(onNewGroup)] {
        if (onNewGroup)
            onNewGroup();
    });
}

} // namespace corvel
