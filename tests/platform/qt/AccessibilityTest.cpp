// The controls as a screen reader finds and uses them: named buttons whose press action does
// what a click does, a focus mark only for keyboard players, spin fields with their value
// and range, and one announcement per spoken line.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FlatPanel.h"
#include "platform/Hotspot.h"
#include "platform/SpinField.h"
#include "platform/TextLabel.h"
#include "tests/support/AccessibleTree.h"

namespace platform {
namespace {

using testing_support::findShowing;
using testing_support::inputsWithoutRoleOrName;
using testing_support::pressAccessibly;

TEST(AccessibilityTest, PressActionDoesWhatAClickDoes) {
  QWidget window;
  window.resize(200, 100);
  std::vector<std::string> calls;
  auto* hotspot = new Hotspot(&window, {0, 0, 50, 50}, true);
  hotspot->onMouseDown = [&] { calls.push_back("hotspot down"); };
  hotspot->onClick = [&] { calls.push_back("hotspot click"); };
  auto* label = new TextLabel(&window);
  label->setGeometry(100, 0, 50, 50);
  label->setPressable(true);
  label->onMouseDown = [&] { calls.push_back("label down"); };
  window.show();
  for (QWidget* control : {static_cast<QWidget*>(hotspot), static_cast<QWidget*>(label)}) {
    calls.clear();
    QTest::mouseClick(control, Qt::LeftButton);
    const std::vector<std::string> clicked = calls;
    calls.clear();
    ASSERT_TRUE(pressAccessibly(control));
    EXPECT_FALSE(clicked.empty());
    EXPECT_EQ(calls, clicked);
  }
}

TEST(AccessibilityTest, FocusMarkOnlyWhileTheKeyboardIsInUse) {
  QWidget window;
  window.resize(120, 60);
  auto* hotspot = new Hotspot(&window, {10, 10, 100, 40}, true);
  hotspot->setFocusPolicy(Qt::TabFocus);
  window.show();
  QApplication::setActiveWindow(&window);  // focuses the hotspot, but no key was pressed
  const QImage unmarked = window.grab().toImage();

  QTest::mouseClick(hotspot, Qt::LeftButton);
  EXPECT_EQ(window.grab().toImage(), unmarked) << "a click shows no mark";
  QTest::keyClick(&window, Qt::Key_Tab);
  ASSERT_TRUE(hotspot->hasFocus());
  const QImage marked = window.grab().toImage();
  EXPECT_NE(marked, unmarked) << "Tab marks the focused hotspot";
  EXPECT_EQ(marked.pixel(60, 11), QColor(0xEC, 0x00, 0x76).rgb()) << "in the game's deep pink";
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(window.grab().toImage(), marked) << "any key keeps it";
  QTest::mouseClick(hotspot, Qt::LeftButton);
  EXPECT_EQ(window.grab().toImage(), unmarked) << "the mouse in use again hides it";
}

TEST(AccessibilityTest, SpinFieldReportsValueRangeAndItsLabel) {
  QWidget panel;
  auto* month = new SpinField(&panel, 1, 12, 1);
  auto* label = new QLabel(QStringLiteral("月"), &panel);
  month->setLabel(label);
  month->setValue(5);
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(month);
  ASSERT_NE(node->valueInterface(), nullptr);
  EXPECT_EQ(node->valueInterface()->currentValue().toInt(), 5);
  EXPECT_EQ(node->valueInterface()->minimumValue().toInt(), 1);
  EXPECT_EQ(node->valueInterface()->maximumValue().toInt(), 12);
  node->valueInterface()->setCurrentValue(7);
  EXPECT_EQ(month->value(), 7);
  EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("月"));
  const auto labels = node->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front().first->object(), label);
}

TEST(AccessibilityTest, ScreenReaderFindsEveryShowingControlAndOnlyThose) {
  QWidget window;
  window.setWindowTitle(QStringLiteral("占い"));
  window.resize(300, 100);
  (new Hotspot(&window, {0, 0, 40, 40}, true))->setAccessibleName(QStringLiteral("OK"));
  new Hotspot(&window, {50, 0, 40, 40}, true);               // unnamed: a fault
  (new Hotspot(&window, {100, 0, 40, 40}, true))->hide();    // unnamed, but hidden
  new Hotspot(&window, {150, 0, 40, 40}, true);              // unnamed, but covered
  auto* covered = new TextLabel(&window);
  covered->setCaption(QStringLiteral("under the panel"));
  covered->setGeometry(150, 50, 40, 40);
  auto* panel = new FlatPanel(&window, Qt::red);  // named, under an opaque child of its own
  panel->setGeometry(140, 0, 100, 100);
  panel->setAccessibleName(QStringLiteral("うまれたひは？"));
  (new FlatPanel(panel, Qt::red))->resize(100, 100);
  auto* under = new FlatPanel(&window, Qt::blue);  // named, but covered by the next panel
  under->setGeometry(250, 0, 40, 40);
  under->setAccessibleName(QStringLiteral("covered"));
  (new FlatPanel(&window, Qt::blue))->setGeometry(245, 0, 55, 100);
  window.show();

  EXPECT_EQ(inputsWithoutRoleOrName(&window), QStringList{QStringLiteral("Button '' (QWidget)")});
  EXPECT_NE(findShowing(&window, QAccessible::Window, QStringLiteral("占い")), nullptr);
  EXPECT_EQ(findShowing(&window, QAccessible::StaticText, QStringLiteral("under the panel")), nullptr);
  EXPECT_NE(findShowing(&window, QAccessible::Grouping, QStringLiteral("うまれたひは？")), nullptr);
  EXPECT_EQ(findShowing(&window, QAccessible::Grouping, QStringLiteral("covered")), nullptr);
}

TEST(AccessibilityTest, AnnouncedLineIsANotificationWithItsText) {
  QWidget window;
  auto* line = new TextLabel(&window);
  window.show();
  line->setCaption(QStringLiteral("こんにちは\rよろしくね"));
  line->announce();
  EXPECT_NE(findShowing(&window, QAccessible::Notification, QStringLiteral("こんにちは\nよろしくね")), nullptr);
}

}  // namespace
}  // namespace platform
