// The window: controls from the table, key preview, outer heights in twips, the warning box.
#include "window/Form1Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>
#include <vector>

#include "form/ControlTable.h"
#include "window/ControlFactory.h"
#include "window/Fonts.h"
#include "window/PanelButton.h"
#include "window/Pictures.h"

namespace zoma {

namespace {

// A label is at most a few hundred pixels wide: it never needs more of a long monitor text.
constexpr int kLabelShownCharacters = 512;

quint32 keyIdentity(const QKeyEvent* key) {
    return key->nativeScanCode() != 0 ? key->nativeScanCode() : static_cast<quint32>(key->key());
}

// What the user does with the mouse, the keyboard, a touch screen or a tablet.
bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
    }
}

int modifierBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= 1;
    if (modifiers & Qt::ControlModifier) bits |= 2;
    if (modifiers & Qt::AltModifier) bits |= 4;
    return bits;
}

}  // namespace

Form1Window::Form1Window(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(kForm1Caption));
    setWindowIcon(panelIcon());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(kForm1Background)));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(controlFont(Face::PGothic, 7.5, false));
    setFixedSize(twipsToPixels(kForm1ClientWidth), twipsToPixels(kForm1ClientHeight));
    build();
    setTabOrder();
    presentWarning = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    endApplication = [] { QCoreApplication::exit(0); };
    qApp->installEventFilter(this);
}

Form1Window::~Form1Window() {
    qApp->removeEventFilter(this);
    // The form may be gone already: nothing the controls do while they are torn down reaches it.
    // Only the window's own connections go: Qt keeps connections of its own to the controls
    // (its accessibility cache forgets a control through one as it is destroyed).
    onKeyDown = nullptr;
    for (const auto& [name, widget] : controls_) widget->disconnect(this);
}

void Form1Window::build() {
    const ControlTable& table = form1Controls();
    for (const ControlRow& row : table) {
        QWidget* container = row.container.empty() ? this : control(row.container);
        QWidget* widget = createControl(table, row, container);
        controls_.emplace(std::string(row.name), widget);
        if (row.kind == Kind::Label) captions_.emplace(std::string(row.name), row.caption);
        if (row.kind == Kind::Option) {
            // One group per container. Without it Qt would take the speed options inside the
            // port panel for members of the ports' group too.
            QButtonGroup*& group = optionGroups_[std::string(row.container)];
            if (group == nullptr) group = new QButtonGroup(this);
            group->addButton(static_cast<QAbstractButton*>(widget));
        }
    }
}

void Form1Window::setTabOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : form1Controls()) {
        if (row.tab > 0) focusable.push_back(&row);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->tab < b->tab; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(control(focusable[i - 1]->name), control(focusable[i]->name));
    }
}

QWidget* Form1Window::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

void Form1Window::setCaption(std::string_view name, const std::string& text) {
    QWidget* widget = control(name);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        auto& stored = captions_[std::string(name)];
        if (stored == text) return;
        stored = text;
        const std::string_view shown = std::string_view(text).substr(0, kLabelShownCharacters);
        label->setText(QString::fromUtf8(shown.data(), static_cast<int>(shown.size())));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(QString::fromStdString(text));
    }
}

std::string Form1Window::caption(std::string_view name) const {
    const auto stored = captions_.find(name);
    if (stored != captions_.end()) return stored->second;
    if (auto* button = qobject_cast<QAbstractButton*>(control(name))) {
        return button->text().toStdString();
    }
    return {};
}

void Form1Window::setVisible(std::string_view name, bool visible) {
    if (QWidget* widget = control(name)) widget->setVisible(visible);
}

bool Form1Window::isVisible(std::string_view name) const {
    const QWidget* widget = control(name);
    return widget != nullptr && !widget->isHidden();
}

void Form1Window::setMarked(std::string_view option, bool marked) {
    auto* button = qobject_cast<QAbstractButton*>(control(option));
    if (button == nullptr) return;
    // The form's own marking raises no event of the option.
    const QSignalBlocker quiet(button);
    // The marked option of an exclusive group refuses to be unmarked unless the group lets go
    // for a moment.
    QButtonGroup* group = button->group();
    if (!marked && group != nullptr) group->setExclusive(false);
    button->setChecked(marked);
    if (group != nullptr) group->setExclusive(true);
}

bool Form1Window::isMarked(std::string_view option) const {
    const auto* button = qobject_cast<const QAbstractButton*>(control(option));
    return button != nullptr && button->isChecked();
}

int Form1Window::heightTwips() const {
    const int outerPixels = frameGeometry().height();
    // Report the height as it was set while the window still has it, without rounding loss.
    if (requestedHeightTwips_ > 0 && twipsToPixels(requestedHeightTwips_) == outerPixels) {
        return requestedHeightTwips_;
    }
    return outerPixels * kTwipsPerPixel;
}

void Form1Window::setHeightTwips(int twips) {
    requestedHeightTwips_ = twips;
    // The height is the outer height: the title bar and frame take their share of it.
    decorationPixels_ = frameGeometry().height() - height();
    const int clientPixels = std::max(1, twipsToPixels(twips) - decorationPixels_);
    setFixedHeight(clientPixels);
}

void Form1Window::centreOnScreen() {
    // Before the first show the frame is not known yet: centre again once it is.
    centreOnFirstShow_ = !shown_;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    // Centred at the designed size, before start-up shrinks the window to its normal height.
    const int decoration = frameGeometry().height() - height();
    const QSize outer(frameGeometry().width(), twipsToPixels(kForm1ClientHeight) + decoration);
    move(available.x() + (available.width() - outer.width()) / 2,
         available.y() + (available.height() - outer.height()) / 2);
}

void Form1Window::showWarning(const std::string& text) {
    // The operator asked to close the window: nothing more to say about the line.
    if (closing_) return;
    // A modal box takes the pointer: no held button would ever see its release.
    endHolds();
    // A key held as the box appears (Space holding a button) goes on repeating and is released
    // over the box; the box waits for a key pressed after it appeared, or a click.
    const QSet<quint32> heldBefore = std::exchange(keysHeldOverBox_, keysDown_);
    const bool shownBefore = std::exchange(warningShown_, true);
    if (presentWarning) presentWarning(QString::fromStdString(text));
    warningShown_ = shownBefore;
    keysHeldOverBox_ = heldBefore;
}

void Form1Window::endProgram() {
    close();
    if (endApplication) endApplication();
}

void Form1Window::endHolds() {
    for (const auto& [name, widget] : controls_) {
        if (auto* button = qobject_cast<PanelButton*>(widget)) button->endHold();
    }
}

bool Form1Window::keyHeldOverBox(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationStateChange &&
        QGuiApplication::applicationState() != Qt::ApplicationActive) {
        // Releases made while another program has the keyboard never come here.
        keysDown_.clear();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const quint32 identity = keyIdentity(key);
    // With the X server's detectable auto-repeat a held key repeats as presses alone; without
    // it, as flagged release and press pairs. Either way only a plain release lets go of it.
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) keysDown_.insert(identity);
    const bool letGo = type == QEvent::KeyRelease && !key->isAutoRepeat();
    if (letGo) keysDown_.remove(identity);
    if (!warningShown_ || !keysHeldOverBox_.contains(identity) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() == this) {
        return false;
    }
    if (letGo) keysHeldOverBox_.remove(identity);
    return true;
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
    // Input is held where the window system hands it to a window, before any control sees it.
    if (waitingForLine_ && watched->isWindowType() && isUserInput(event->type())) {
        heldInput_.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }
    if (keyHeldOverBox(watched, event)) return true;
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        // The first receiver of a key is the window's focus widget, or the window itself when no
        // control has the focus. Later receivers only see the key passed up to them, and must
        // not run the handler a second time.
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* focused = focusWidget();
        const bool firstReceiver = widget == (focused != nullptr ? focused : this);
        if (firstReceiver && widget->window() == this && onKeyDown) {
            const auto* key = static_cast<QKeyEvent*>(event);
            onKeyDown(key->key(), modifierBits(key->modifiers()));
        }
    }
    return false;
}

void Form1Window::changeEvent(QEvent* event) {
    const bool deactivated = event->type() == QEvent::ActivationChange && !isActiveWindow();
    const bool minimised = event->type() == QEvent::WindowStateChange && isMinimized();
    if (deactivated || minimised) endHolds();
    QWidget::changeEvent(event);
}

void Form1Window::closeEvent(QCloseEvent* event) {
    if (waitingForLine_) {
        // A closing window cannot cut the connect short: the close follows it.
        closeRequested_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Form1Window::lineWaitStarted() {
    waitingForLine_ = true;
}

void Form1Window::lineWaitEnded() {
    waitingForLine_ = false;
    std::vector<HeldInput> held;
    held.swap(heldInput_);
    // From the event loop: the handler that waited for the line finishes first.
    if (std::exchange(closeRequested_, false)) {
        closing_ = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    for (HeldInput& input : held) {
        if (input.target) QCoreApplication::postEvent(input.target, input.event.release());
    }
}

void Form1Window::followDecoration() {
    const int decoration = frameGeometry().height() - height();
    if (decoration == decorationPixels_ || requestedHeightTwips_ == 0) return;
    setHeightTwips(requestedHeightTwips_);
}

void Form1Window::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followDecoration();
    if (!shown_ && centreOnFirstShow_) {
        shown_ = true;
        centreOnScreen();
    }
    shown_ = true;
}

void Form1Window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    followDecoration();
}

void Form1Window::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    QPen pen(QColor::fromRgb(QRgb(kPadLineColour)));
    pen.setWidth(kPadLineWidthPixels);
    painter.setPen(pen);
    const ControlTable& table = form1Controls();
    for (std::size_t i = 0; i < table.lineCount; ++i) {
        const LineRow& line = table.lines[i];
        painter.drawLine(twipsToPixels(line.x1), twipsToPixels(line.y1), twipsToPixels(line.x2),
                         twipsToPixels(line.y2));
    }
}

}  // namespace zoma
