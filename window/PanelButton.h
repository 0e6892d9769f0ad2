// A command button drawn flat in its own colour, with press and release for every mouse button
// and for the key that presses it.
#pragma once

#include <QColor>
#include <QPushButton>

namespace zoma {

class PanelButton : public QPushButton {
    Q_OBJECT
  public:
    // Invalid colours stand for the platform's standard button face and button text. The
    // button paints itself in them: it needs no palette of its own.
    PanelButton(const QString& caption, const QColor& face, const QColor& captionColour,
                QWidget* parent);

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
    QColor captionColour_;
    bool held_ = false;
};

}  // namespace zoma
