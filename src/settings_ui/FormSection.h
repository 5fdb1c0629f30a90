#pragma once

#include <QString>
#include <QWidget>

namespace corvel {

/// One titled section of a grouped form: a small heading over its content,
/// on a rounded panel. The content is named for screen readers by the
/// heading unless it has a name of its own.
class FormSection final : public QWidget {
  public:
    FormSection(const QString& title, QWidget* content, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* panel_;
};

} // namespace corvel
