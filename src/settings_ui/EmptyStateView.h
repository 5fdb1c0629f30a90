#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <string>

namespace corvel {

/// A centred symbol, title and optional description standing in for a pane
/// with nothing to show.
class EmptyStateView final : public QWidget {
  public:
    EmptyStateView(const QString& title, const std::string& symbol, const QString& description = {},
                   QWidget* parent = nullptr);

    QLabel* titleLabel() const { return title_; }

  private:
    QLabel* title_;
};

} // namespace corvel
