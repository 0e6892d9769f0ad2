// The window as assistive technology reads it, through Qt's accessibility interfaces.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <set>
#include <vector>

#include "form/ControlTable.h"
#include "window/ShownWindow.h"

namespace zoma {
namespace {

// What a screen reader following the window would hear: every change of a name, as it reads.
struct NameChange {
    QObject* object;
    QString name;
};
std::vector<NameChange> nameChanges;

void recordNameChange(QAccessibleEvent* event) {
    if (event->type() != QAccessible::NameChanged) return;
    QAccessibleInterface* changed = event->accessibleInterface();
    if (changed != nullptr) {
        nameChanges.push_back({event->object(), changed->text(QAccessible::Name)});
    }
}

// Qt drops every update while accessibility is off, and under the offscreen platform nothing
// switches it on: no assistive technology asks. Only the platform's accessibility object, a
// private API, can; QAccessible::setActive merely tells its observers.
void switchAccessibility(bool on) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
}

class AccessibilityTest : public testing::ShownWindowTest {
  protected:
    QAccessibleInterface* read(std::string_view name) {
        return QAccessible::queryAccessibleInterface(window.control(name));
    }

    // Every focusable control of the window's accessibility tree, hidden ones included.
    void collectFocusable(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& out) {
        if (node->state().focusable) out.push_back(node);
        for (int i = 0; i < node->childCount(); ++i) collectFocusable(node->child(i), out);
    }
};

TEST_F(AccessibilityTest, EveryFocusableControlHasANameOfItsOwnInTheWindow) {
    std::vector<QAccessibleInterface*> focusable;
    collectFocusable(QAccessible::queryAccessibleInterface(&window), focusable);
    // The 54 buttons (the hidden data toggle among them) and the 4 options of the port panel.
    EXPECT_EQ(focusable.size(), 58u);
    std::set<QString> names;
    for (QAccessibleInterface* control : focusable) {
        const QString name = control->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << control->object()->objectName().toStdString();
        EXPECT_TRUE(names.insert(name).second) << name.toStdString() << " is not unique";
    }
}

TEST_F(AccessibilityTest, NamesCarryTheirGroupAndDescriptionsTheCodeSent) {
    const struct {
        const char* control;
        const char* name;
        const char* description;
    } cases[] = {
        {"Command17", "POWER ON", "Sends C00"},
        {"Command4", "INPUT 3 VIDEO", "Sends C08"},
        {"Command1", "VOL +", "Hold to repeat C09"},
        {"Command10", "ZOOM", "Sets the arrow pad pace and sends C80"},
        {"Option2", "Port COM2", "Opens the line on COM2"},
        {"Label11", "", "Sent"},
        {"Label12", "", "Received"},
        {"Label25", "", "Projector status"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        EXPECT_EQ(read(c.control)->text(QAccessible::Name), c.name);
        EXPECT_EQ(read(c.control)->text(QAccessible::Description), c.description);
    }
    // The captions on the face stay as they were.
    EXPECT_EQ(button("Command17")->text(), "ON");
    // A name that is the caption follows it as it changes.
    QTest::keyClick(button("Command17"), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(read(kDataToggle)->text(QAccessible::Name), "CLOSE");
}

TEST_F(AccessibilityTest, TheStatusLineAnnouncesItsNewText) {
    nameChanges.clear();
    QAccessible::installUpdateHandler(recordNameChange);
    switchAccessibility(true);
    click("Command44");
    rig.port.deliver("80\r");
    // The line shows at most 512 characters: what it shows is what is announced.
    window.setCaption(kStatusLine, std::string(600, 'x'));
    switchAccessibility(false);
    QAccessible::installUpdateHandler(nullptr);

    std::vector<QString> announced;
    for (const NameChange& change : nameChanges) {
        if (change.object == window.control(kStatusLine)) announced.push_back(change.name);
    }
    const std::vector<QString> expected = {" Stand by", QString(512, 'x')};
    EXPECT_EQ(announced, expected);
}

}  // namespace
}  // namespace zoma
