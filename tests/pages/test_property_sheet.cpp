// The property sheet: tab order, Apply enabled by the pages' changed flags, OK and Cancel.
#include "page_test_support.h"
#include "zk_property_access.h"
#include "zk_property_page.h"
#include "zk_property_sheet.h"
#include "zkbutton_factory.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace zk::test;

namespace {

class PropertySheetTest : public ::testing::Test {
protected:
    ButtonSet buttons;
    Fakes fakes;
    std::unique_ptr<zkPropertySheet> sheet;

    void open(const QList<QObject*>& objects) {
        sheet = std::make_unique<zkPropertySheet>(objects, fakes.services());
        sheet->show();
    }
    void showTab(int index) { sheet->tabs()->setCurrentIndex(index); }
};

TEST_F(PropertySheetTest, ShowsTheFourPagesInTheControlsOrder) {
    open(buttons.selection());
    QStringList classes;
    for (int i = 0; i < sheet->tabs()->count(); ++i) {
        EXPECT_EQ(sheet->tabs()->tabText(i), sheet->page(i)->title());
        classes << sheet->page(i)->objectName();
    }
    EXPECT_EQ(classes, QStringList({"ppgButton", "ppgPicture", "ppgColor", "ppgFont"}));
    EXPECT_FALSE(sheet->applyButton()->isEnabled());
    EXPECT_EQ(sheet->lastError().code, 0);
}

TEST_F(PropertySheetTest, ApplyIsEnabledByAChangeAndFramesItsWrites) {
    open(buttons.selection());
    QStringList events;
    QObject::connect(sheet.get(), &zkPropertySheet::aboutToApply, [&] { events << "begin"; });
    QObject::connect(sheet.get(), &zkPropertySheet::applied, [&] { events << "end"; });
    QObject::connect(buttons[0], &zkButton::PropertyChanged,
                     [&](const QString& name) { events << name; });
    click(child<QCheckBox>(sheet.get(), QStringLiteral("chkCancel")));
    ASSERT_TRUE(sheet->applyButton()->isEnabled());
    click(sheet->applyButton());
    EXPECT_EQ(events, QStringList({"begin", "Cancel", "end"}));
    EXPECT_TRUE(buttons[1]->cancel());
    EXPECT_FALSE(sheet->applyButton()->isEnabled());
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(PropertySheetTest, OkAppliesEveryChangedPageAndCloses) {
    open(buttons.selection());
    showTab(0);
    chooseItem(child<QComboBox>(sheet.get(), QStringLiteral("cboStyle")), 2);
    showTab(2);
    QTest::mousePress(child<QLabel>(sheet.get(), QStringLiteral("lblPaletteList1Item_5")),
                      Qt::LeftButton); // 青 for BackColor
    showTab(3);
    click(child<QCheckBox>(sheet.get(), QStringLiteral("chkStyle1")));
    click(sheet->okButton());
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(buttons[1]->buttonStyle(), zkButton::zbbOption);
    EXPECT_EQ(buttons[1]->backColor(), 0xFF0000u);
    EXPECT_TRUE(buttons[1]->buttonFont()->italic());
}

TEST_F(PropertySheetTest, SelectionTheControlsCannotAnswerIsShown) {
    QObject plain;
    open({&plain});
    EXPECT_EQ(sheet->lastError().code, zk::pages::kErrorNoProperty);
    EXPECT_TRUE(child<QLabel>(sheet.get(), QStringLiteral("lblError"))->isVisible());
}

TEST(LibraryLifetime, LiveSheetOrPageKeepsTheLibraryLoaded) {
    ASSERT_EQ(DllCanUnloadNow(), ZK_S_OK); // no button, page or sheet yet
    {
        QObject plain;
        zkPropertySheet sheet({&plain}, {});
        EXPECT_EQ(DllCanUnloadNow(), ZK_S_FALSE);
    }
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_OK);
    std::unique_ptr<zkPropertyPage> page(zkCreatePropertyPage(QStringLiteral("ppgFont"), {}));
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_FALSE);
    page.reset();
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_OK);
    EXPECT_EQ(zkCreatePropertyPage(QStringLiteral("ppgOther"), {}), nullptr);
}

TEST_F(PropertySheetTest, FailedApplyKeepsTheSheetOpen) {
    open(buttons.selection());
    click(child<QCheckBox>(sheet.get(), QStringLiteral("chkEnabled")));
    delete buttons[0];
    click(sheet->okButton());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->lastError().code, zk::pages::kErrorNoObject);
}

} // namespace
