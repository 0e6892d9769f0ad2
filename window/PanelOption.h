// An option (radio button) of the port panel, with the panel's own focus mark.
#pragma once

#include <QRadioButton>

namespace zoma {

class PanelOption : public QRadioButton {
    Q_OBJECT
  public:
    PanelOption(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zoma
