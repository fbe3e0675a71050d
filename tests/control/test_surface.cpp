// The button as a shown widget: the real hover timer and window shortcuts for access keys.
#include "button_fixture.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

struct ShownRig {
    QWidget window;
    std::shared_ptr<FakeHost> host = std::make_shared<FakeHost>();
    std::shared_ptr<FakeCursor> cursor = std::make_shared<FakeCursor>();
    zkButton* button = new zkButton(&window, host);
    ShownRig() {
        setUp(button, cursor);
        button->setGeometry(10, 10, 40, 20);
        window.resize(100, 60);
    }
    bool show() {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowExposed(&window);
    }
};

TEST(Surface, HoverTimerFollowsThePointerHoweverTheButtonWasMade) {
    // Loaded from a bag, or made with new and shown in a running program: both follow the
    // pointer. A designer (no user mode) starts nothing, and neither does InitProperties.
    const struct {
        bool loaded, userMode, follows;
    } cases[] = {
        {true, true, true}, {false, true, true}, {false, false, false}, {true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "loaded " << c.loaded << " user " << c.userMode);
        ShownRig rig;
        rig.host->user = c.userMode;
        if (c.loaded) {
            zkMemoryPropertyBag empty;
            rig.button->ReadProperties(empty);
        }
        EXPECT_EQ(rig.button->isHoverTimerEnabled(), c.loaded && c.userMode);
        if (c.loaded) {
            EXPECT_EQ(rig.button->hoverState(), -1);
        }
        ASSERT_TRUE(rig.show());
        ASSERT_EQ(rig.button->isHoverTimerEnabled(), c.follows);
        if (!c.follows)
            continue;
        int in = 0, out = 0;
        QObject::connect(rig.button, &zkButton::MouseIn, [&](int&, int&, int&, int&) { ++in; });
        QObject::connect(rig.button, &zkButton::MouseOut, [&](int&, int&, int&, int&) { ++out; });
        rig.cursor->pos = rig.button->mapToGlobal(QPoint(3, 3));
        ASSERT_TRUE(QTest::qWaitFor([&] { return in == 1; }, 2000));
        rig.cursor->pos = rig.button->mapToGlobal(QPoint(-3, 3));
        EXPECT_TRUE(QTest::qWaitFor([&] { return out == 1; }, 2000));
    }
}

TEST(Surface, SharedEnterAndAccessKeysReachOneButtonOfTheWindow) {
    // Two Default buttons sharing the access key O, and a Cancel button with a key of its
    // own: Enter goes to the focused Default button, else to the first in tab order; the
    // shared key only moves the focus between the two.
    ShownRig rig;
    zkButton* first = rig.button;
    auto* second = new zkButton(&rig.window);
    auto* cancel = new zkButton(&rig.window);
    auto* elsewhere = new QWidget(&rig.window);
    elsewhere->setFocusPolicy(Qt::StrongFocus);
    first->setCaption(QStringLiteral("&Open"));
    second->setCaption(QStringLiteral("&Over"));
    cancel->setCaption(QStringLiteral("&Quit"));
    cancel->setCaption(QStringLiteral("&Print")); // the window key follows a new caption
    first->setDefault(true);
    second->setDefault(true);
    cancel->setCancel(true);
    ASSERT_TRUE(rig.show());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
    QList<int> clicks(3);
    const QList<zkButton*> buttons{first, second, cancel};
    for (int i = 0; i < 3; ++i)
        QObject::connect(buttons[i], &zkButton::Click,
                         [&clicks, i](int&, int&, int&, int&) { ++clicks[i]; });
    struct Step {
        const char* what;
        QWidget* focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QList<int> clicks; // running totals of first, second, cancel
    };
    const Step steps[] = {
        {"Enter, focus elsewhere", elsewhere, Qt::Key_Return, Qt::NoModifier, {1, 0, 0}},
        {"Enter on the second", second, Qt::Key_Enter, Qt::NoModifier, {1, 1, 0}},
        {"Enter on the Cancel button", cancel, Qt::Key_Return, Qt::NoModifier, {2, 1, 0}},
        {"Esc", elsewhere, Qt::Key_Escape, Qt::NoModifier, {2, 1, 1}},
        {"unique access key", elsewhere, Qt::Key_P, Qt::AltModifier, {2, 1, 2}},
        {"shared access key", elsewhere, Qt::Key_O, Qt::AltModifier, {2, 1, 2}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.focus->setFocus();
        QTest::keyClick(&rig.window, step.key, step.modifiers);
        EXPECT_EQ(clicks, step.clicks);
    }
    // The shared key cycles: each press focuses the other holder.
    QWidget* const focused = rig.window.focusWidget();
    ASSERT_TRUE(focused == first || focused == second);
    QTest::keyClick(&rig.window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(rig.window.focusWidget(), focused == first ? second : first);
    QTest::keyClick(&rig.window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(rig.window.focusWidget(), focused);
    EXPECT_EQ(clicks, (QList<int>{2, 1, 2}));
}

} // namespace
