#include "settings_ui/OnboardingView.h"

#include "settings_ui/ProminentButton.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvel {

namespace {

using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;

QLabel* symbolLabel(const std::string& name, int size, const QColor& color) {
    auto* label = new QLabel;
    label->setPixmap(SymbolIcons::pixmap(name, QSize(size, size), color));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

OnboardingView::OnboardingView(std::shared_ptr<OnboardingViewModel> viewModel,
                               std::function<void()> onFinished, QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)), onFinished_(std::move(onFinished)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 32);
    layout->setSpacing(14);
    layout->setAlignment(Qt::AlignHCenter);

    layout->addWidget(symbolLabel("menubar.rectangle", 48, ScreenStyle::accent()), 0,
                      Qt::AlignHCenter);
    auto* title = ScreenStyle::label("Welcome to Corvel", TextSize::title);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* explanation = ScreenStyle::label(
        "Corvel moves and clicks other apps' Menu Bar Items on your behalf, which macOS only "
        "allows with Accessibility permission. Corvel never reads your screen or your files.",
        TextSize::body, Tone::secondary);
    explanation->setAlignment(Qt::AlignCenter);
    explanation->setFixedWidth(380);
    layout->addWidget(explanation, 0, Qt::AlignHCenter);

    auto* status = new QHBoxLayout;
    status->setSpacing(6);
    statusIcon_ = new QLabel;
    statusText_ = new QLabel;
    status->addStretch();
    status->addWidget(statusIcon_);
    status->addWidget(statusText_);
    status->addStretch();
    layout->addLayout(status);

    continueButton_ = ProminentButton::make("Continue");
    grantButton_ = ProminentButton::make("Grant Accessibility Access…");
    checkAgainButton_ = ProminentButton::plain("I already granted it — check again");
    for (auto* button : {continueButton_, grantButton_, checkAgainButton_})
        layout->addWidget(button, 0, Qt::AlignHCenter);

    connect(continueButton_, &QPushButton::clicked, this, [this] {
        // May destroy this view's window; nothing of `this` is touched after.
        auto finished = onFinished_;
        if (finished)
            finished();
    });
    connect(grantButton_, &QPushButton::clicked, this, [this] { viewModel_->requestAccess(); });
    connect(checkAgainButton_, &QPushButton::clicked, this, [this] { viewModel_->refresh(); });

    trustedSubscription_ =
        viewModel_->isTrusted().observe([this](bool trusted) { render(trusted); });
    render(viewModel_->isTrusted().value());
}

void OnboardingView::render(bool isTrusted) {
    if (isTrusted) {
        statusIcon_->setPixmap(SymbolIcons::pixmap("checkmark.circle.fill", QSize(16, 16),
                                                   ScreenStyle::color(Tone::green)));
        statusText_->setText("Accessibility granted");
    } else {
        statusIcon_->setPixmap(
            SymbolIcons::pixmap("circle", QSize(16, 16), ScreenStyle::color(Tone::secondary)));
        statusText_->setText("Accessibility not yet granted");
    }
    statusText_->setAccessibleName(statusText_->text());
    continueButton_->setVisible(isTrusted);
    grantButton_->setVisible(!isTrusted);
    checkAgainButton_->setVisible(!isTrusted);
    (isTrusted ? continueButton_ : grantButton_)->setDefault(true);
}

} // namespace corvel
