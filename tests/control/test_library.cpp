// The library's published identity, About, error texts and accessibility.
#include "button_fixture.h"
#include "zk_about.h"
#include "zk_library.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

TEST(Library, AboutShowsTitleAndVersionLine) {
    QString title, text;
    zk::setAboutPresenter([&](const QString& t, const QString& x) {
        title = t;
        text = x;
    });
    Rig rig;
    rig->About();
    zk::setAboutPresenter({});
    EXPECT_EQ(title, QStringLiteral("About"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("zkButton Control2 Ver.1.00\n\n")));
    EXPECT_EQ(rig->GetErrorString(0), QString());
    EXPECT_EQ(rig->GetErrorString(1), QStringLiteral("ピクチャが指定されていません。"));
    EXPECT_EQ(rig->GetErrorString(3), QString());
}

TEST(Library, LiveObjectCountFollowsButtons) {
    const int before = zk::liveObjects();
    {
        Rig rig;
        EXPECT_EQ(zk::liveObjects(), before + 1);
    }
    EXPECT_EQ(zk::liveObjects(), before);
}

struct RoleCase {
    int style;
    QAccessible::Role role;
};

TEST(Accessibility, RoleNameDescriptionAndCheckedState) {
    const RoleCase cases[] = {
        {0, QAccessible::Button}, {1, QAccessible::CheckBox}, {2, QAccessible::RadioButton}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        Rig rig;
        rig->setButtonStyle(zkButton::StyleEnum(c.style));
        rig->setCaption(QStringLiteral("&Scan"));
        rig->setToolTip(QStringLiteral("Scan a new page"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(rig.button.get());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), c.role);
        EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Scan"));
        EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Scan a new page"));
        EXPECT_EQ(bool(a->state().checkable), c.style != 0);
        EXPECT_FALSE(a->state().checked);
        rig->setValue(zkButton::zbvOn);
        EXPECT_EQ(bool(a->state().checked), c.style != 0);
        rig->setCaption(QString());
        EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Scan a new page"));
    }
}

TEST(Accessibility, PressActionRaisesClickAndTogglesACheckBox) {
    Rig rig;
    rig->setButtonStyle(zkButton::zbbCheck);
    int clicks = 0;
    QObject::connect(rig.button.get(), &zkButton::Click, [&](int&, int&, int&, int&) { ++clicks; });
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(rig.button.get());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->actionInterface(), nullptr);
    EXPECT_TRUE(
        a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(rig->value(), zkButton::zbvOn);
    EXPECT_TRUE(a->state().checked);
    rig->setButtonEnabled(false);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1); // a disabled button takes no press
}

} // namespace
