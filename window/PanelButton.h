// A command button drawn flat in its own colour, with press and release for every mouse button
// and for the key that presses it.
#pragma once

#include <QColor>
#include <QPushButton>

namespace zoma {

class PanelButton : public QPushButton {
    Q_OBJECT
  public:
    // An invalid colour stands for the platform's standard button face.
    PanelButton(const QString& caption, const QColor& face, QWidget* parent);

    bool isHeld() const { return held_; }
    // Ends a hold whose release can no longer arrive, exactly as a release would.
    void endHold();

  signals:
    // Any mouse button, any modifiers, anywhere on the button; or Space while the button has the
    // keyboard focus. The key's auto-repeat is no new press.
    void mouseDown();
    void mouseUp();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void startHold();

    QColor face_;
    bool held_ = false;
};

}  // namespace zoma
