// The panel's window: builds the controls from the control table and serves the form's handlers.
#pragma once

#include <QButtonGroup>
#include <QHash>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "form/WindowServices.h"

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

    using QWidget::isVisible;
    using QWidget::setVisible;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
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

    int requestedHeightTwips_ = 0;
    int decorationPixels_ = 0;
    bool centreOnFirstShow_ = false;
    bool shown_ = false;
};

}  // namespace zoma
