// The panel's window: builds the controls from the control table and serves the form's handlers.
#pragma once

#include <QButtonGroup>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowServices.h"

namespace zoma {

class PanelButton;

class Form1Window : public QWidget, public WindowServices {
    Q_OBJECT
  public:
    explicit Form1Window(QWidget* parent = nullptr);
    ~Form1Window() override;

    // The control of that name, or nullptr.
    QWidget* control(std::string_view name) const;

    void setCaption(std::string_view control, const std::string& text) override;
    std::string caption(std::string_view control) const override;
    void setVisible(std::string_view control, bool visible) override;
    bool isVisible(std::string_view control) const override;
    void setMarked(std::string_view option, bool marked) override;
    bool isMarked(std::string_view option) const override;
    int heightTwips() const override;
    void setHeightTwips(int twips) override;
    void centreOnScreen() override;
    void showWarning(const std::string& text) override;
    void endProgram() override;

    // Every key pressed while the window is active, before the focused control sees it.
    std::function<void(int keyCode, int shift)> onKeyDown;
    // Replaceable for tests that cannot answer a modal box.
    std::function<void(const QString& text)> presentWarning;
    std::function<void()> endApplication;

    // Ends every hold, by mouse or by key, whose release can no longer arrive.
    void endHolds();

    // While the line is being connected (a device server may take seconds), the window keeps
    // painting and its timers run, but the user's clicks and keys wait, in order, until the
    // wait has ended, so no second port choice starts inside the first. A request to close the
    // window waits too and then takes effect, without a warning about the line the operator is
    // leaving.
    void lineWaitStarted();
    void lineWaitEnded();

    using QWidget::isVisible;
    using QWidget::setVisible;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void build();
    void setTabOrder();

    std::map<std::string, QWidget*, std::less<>> controls_;
    // The options' groups, by container.
    std::map<std::string, QButtonGroup*, std::less<>> optionGroups_;
    // Full captions of the labels; a label shows only what fits its width.
    std::map<std::string, std::string, std::less<>> captions_;
    // Keeps the outer height right once the platform's frame is known or changes.
    void followDecoration();
    // Notes which keys are down; true when a key event belongs to a key that was already held
    // when a warning box appeared, which the box must not take for an answer.
    bool keyHeldOverBox(QObject* watched, QEvent* event);

    // Keys down now, and those that were down when the warning box on screen appeared, by their
    // scan code (or key code where the platform gives no scan code).
    QSet<quint32> keysDown_;
    QSet<quint32> keysHeldOverBox_;
    bool warningShown_ = false;

    // Input held back while the line is being connected, for the window it was meant for.
    struct HeldInput {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    std::vector<HeldInput> heldInput_;
    bool waitingForLine_ = false;
    bool closeRequested_ = false;
    bool closing_ = false;

    int requestedHeightTwips_ = 0;
    int decorationPixels_ = 0;
    bool centreOnFirstShow_ = false;
    bool shown_ = false;
};

}  // namespace zoma
