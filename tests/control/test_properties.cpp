// Property setters, new-instance values, persistence through a bag, and the shared
// picture and font objects.
#include "button_fixture.h"
#include "zk_memory_bag.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

struct SetterCase {
    const char* name;
    QVariant value;
    bool redraws;
    bool notifies;
};

TEST(Properties, EachSetterRedrawsAndNotifiesAsItsRowSays) {
    const SetterCase cases[] = {
        {"Appearance", 0, true, true},
        {"BackColor", QVariant::fromValue(0x00FFFFFFu), true, true},
        {"Cancel", true, true, true},
        {"Caption", QStringLiteral("x"), true, true},
        {"CaptionAlign", 2, true, true},
        {"Default", true, true, true},
        {"DisablePicture", QVariant::fromValue(solidPicture(2, 2, 0xFF000000)), true, true},
        {"DownPicture", QVariant::fromValue(solidPicture(2, 2, 0xFF000000)), true, true},
        {"Enabled", false, true, true},
        {"Font", QVariant::fromValue(zkFontRef::create(QStringLiteral("DejaVu Sans"), 12)), true,
         true},
        {"FocusRectMargin", 5, true, true},
        {"ForeColor", QVariant::fromValue(0x00FF0000u), true, true},
        {"FillColor", QVariant::fromValue(0x00FF0000u), true, true},
        {"MaskColor", QVariant::fromValue(0x0000FF00u), true, true},
        {"MouseIcon", QVariant::fromValue(solidPicture(2, 2, 0xFF000000)), true, true},
        {"MousePointer", 11, false, true},
        {"OLEDropMode", 1, true, true},
        {"Picture", QVariant::fromValue(solidPicture(2, 2, 0xFF000000)), true, true},
        {"PictureAlign", 3, true, true},
        {"SelectPicture", QVariant::fromValue(solidPicture(2, 2, 0xFF000000)), true, true},
        {"ShowFocusRect", false, true, true},
        {"Style", 1, true, true},
        {"UseMaskColor", true, true, true},
        {"Value", 1, true, true},
        {"OwnerDraw", true, false, true}, // redraws, but owner draw copies nothing
        {"DrawMode", 7, false, true},
        {"DrawStyle", 2, false, true},
        {"DrawWidth", 3, false, true},
        {"FillStyle", 0, false, true},
        {"ScaleMode", 3, false, false},
        {"UseMnemonic", false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        QSignalSpy spy(rig.button.get(), &zkButton::PropertyChanged);
        const int copies = rig->surfaceCopyCount();
        ASSERT_TRUE(rig->setProperty(c.name, c.value));
        EXPECT_EQ(rig->surfaceCopyCount() > copies, c.redraws);
        ASSERT_EQ(spy.size(), c.notifies ? 1 : 0);
        if (c.notifies) {
            EXPECT_EQ(spy.first().first().toString(), QString::fromLatin1(c.name));
        }
        const QVariant back = rig->property(c.name);
        if (c.value.metaType() == QMetaType::fromType<zkPictureRef>())
            EXPECT_EQ(back.value<zkPictureRef>(), c.value.value<zkPictureRef>()); // by reference
        else if (c.value.metaType() == QMetaType::fromType<zkFontRef>())
            EXPECT_EQ(back.value<zkFontRef>(), c.value.value<zkFontRef>());
        else
            EXPECT_EQ(back.toLongLong(), c.value.toLongLong());
    }
}

TEST(Properties, OutOfRangeValuesAreStoredAsGiven) {
    Rig rig;
    rig->setProperty("CaptionAlign", 42);
    rig->setProperty("FocusRectMargin", -3);
    rig->setProperty("Style", 9);
    EXPECT_EQ(rig->property("CaptionAlign").toInt(), 42);
    EXPECT_EQ(rig->focusRectMargin(), -3);
    EXPECT_EQ(int(rig->buttonStyle()), 9);
}

TEST(Properties, NewInstanceValues) {
    Rig rig;
    rig.host->name = QStringLiteral("zkScan");
    rig->InitProperties();
    EXPECT_EQ(rig->appearance(), zkButton::zba3D);
    EXPECT_EQ(rig->backColor(), kBackOle);
    EXPECT_EQ(rig->foreColor(), kForeOle);
    EXPECT_EQ(rig->caption(), QStringLiteral("zkScan"));
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("zkScan"));
    EXPECT_EQ(rig->captionAlign(), zkButton::zbcCenter);
    EXPECT_EQ(rig->pictureAlign(), zkButton::zbpCaptionBottom);
    EXPECT_EQ(rig->fillColor(), 0x00123456u);
    EXPECT_EQ(rig->maskColor(), 0x00FF00FFu);
    EXPECT_EQ(rig->focusRectMargin(), 3);
    EXPECT_EQ(rig->drawMode(), 13);
    EXPECT_EQ(rig->fillStyle(), 1);
    EXPECT_EQ(rig->scaleMode(), 1);
    EXPECT_TRUE(rig->isButtonEnabled());
    EXPECT_TRUE(rig->showFocusRect());
    EXPECT_TRUE(rig->useMnemonic());
    EXPECT_EQ(rig->buttonFont()->name(), QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(rig->isHoverTimerEnabled());
}

TEST(Properties, InitialisationStopsWhenTheContainerCannotAnswerFillColor) {
    Rig rig;
    rig->setFocusRectMargin(7);
    rig.host->fillFails = true;
    const zkHostError error = rig->InitProperties();
    EXPECT_EQ(error.code, 438);
    EXPECT_EQ(rig->drawWidth(), 1);       // before FillColor: assigned
    EXPECT_EQ(rig->focusRectMargin(), 7); // after it: untouched
}

TEST(Persistence, NewInstanceIs3DButLoadedWithoutKeyIsFlat) {
    Rig rig;
    EXPECT_EQ(rig->appearance(), zkButton::zba3D);
    zkMemoryPropertyBag empty;
    ASSERT_FALSE(rig->ReadProperties(empty).failed());
    EXPECT_EQ(rig->appearance(), zkButton::zbaFlat);
}

TEST(Persistence, AllDefaultInstanceWritesNoKey) {
    Rig rig;
    zkMemoryPropertyBag empty;
    rig->ReadProperties(empty);
    zkMemoryPropertyBag saved;
    ASSERT_FALSE(rig->WriteProperties(saved).failed());
    EXPECT_EQ(saved.keys(), QStringList());
    // A new instance differs from the bag defaults only in Appearance.
    Rig fresh;
    fresh.host->name = QString();
    fresh->InitProperties();
    zkMemoryPropertyBag freshBag;
    fresh->WriteProperties(freshBag);
    EXPECT_EQ(freshBag.keys(), QStringList{QStringLiteral("Appearance")});
}

TEST(Persistence, EveryPropertyRoundTripsThroughABag) {
    Rig a;
    a->setAppearance(zkButton::zba3D); // the bag default is flat
    a->setOwnerDraw(true);
    a->setBackColor(0x80000005);
    a->setCancel(true);
    a->setCaption(QStringLiteral("Sa&ve"));
    a->setCaptionAlign(zkButton::zbcBottomRight);
    a->setDefault(true);
    a->setDisablePicture(solidPicture(3, 3, 0xFF111111));
    a->setDownPicture(solidPicture(3, 4, 0xFF222222));
    a->setDrawMode(7);
    a->setDrawStyle(2);
    a->setDrawWidth(3);
    a->setButtonEnabled(false);
    a->setFillColor(0x00ABCDEF);
    a->setFillStyle(0);
    a->setButtonFont(
        zkFontRef::create(QStringLiteral("DejaVu Serif"), 11, true, false, true, false));
    a->setFocusRectMargin(1);
    a->setForeColor(0x000000FF);
    a->setMaskColor(0x0000FF00);
    a->setMouseIcon(solidPicture(2, 2, 0xFF333333));
    a->setMousePointer(99);
    a->setOleDropMode(zkButton::zboManual);
    a->setPicture(solidPicture(5, 5, 0xFF444444));
    a->setPictureAlign(zkButton::zbpLeft);
    a->setScaleMode(3);
    a->setSelectPicture(solidPicture(6, 6, 0xFF555555));
    a->setShowFocusRect(false);
    a->setButtonStyle(zkButton::zbbOption);
    a->setUseMaskColor(true);
    a->setUseMnemonic(false);
    a->setValue(zkButton::zbvOn);
    zkMemoryPropertyBag bag;
    ASSERT_FALSE(a->WriteProperties(bag).failed());
    EXPECT_EQ(bag.size(), 31) << bag.keys().join(u',').toStdString();

    Rig b;
    ASSERT_FALSE(b->ReadProperties(bag).failed());
    for (const char* name :
         {"Appearance",    "BackColor",   "Cancel",          "Caption",      "CaptionAlign",
          "Default",       "DrawMode",    "DrawStyle",       "DrawWidth",    "Enabled",
          "FillColor",     "FillStyle",   "FocusRectMargin", "ForeColor",    "MaskColor",
          "MousePointer",  "OLEDropMode", "OwnerDraw",       "PictureAlign", "ScaleMode",
          "ShowFocusRect", "Style",       "UseMaskColor",    "UseMnemonic",  "Value"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(b->property(name), a->property(name));
    }
    for (const char* name :
         {"DisablePicture", "DownPicture", "MouseIcon", "Picture", "SelectPicture"})
        EXPECT_EQ(b->property(name).value<zkPictureRef>()->image(),
                  a->property(name).value<zkPictureRef>()->image())
            << name;
    EXPECT_TRUE(b->buttonFont()->sameAs(*a->buttonFont()));
    EXPECT_NE(b->buttonFont(), a->buttonFont()); // a saved font comes back as its own object
    EXPECT_EQ(b->displayCaption(), QStringLiteral("Sa&ve")); // UseMnemonic False on load
    EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(b->acceptDrops());
}

TEST(Persistence, LoadingSetsUnknownHoverAndStartsTimerOnlyInUserMode) {
    Rig rig;
    zkMemoryPropertyBag bag;
    rig.host->user = false;
    rig->ReadProperties(bag);
    EXPECT_EQ(rig->hoverState(), -1);
    EXPECT_FALSE(rig->isHoverTimerEnabled());
    rig.host->user = true;
    rig->ReadProperties(bag);
    EXPECT_TRUE(rig->isHoverTimerEnabled());
}

// A bag that fails at one key, for reads or writes.
class FailingBag : public zkMemoryPropertyBag {
public:
    QString failKey;
    QStringList seen;
    zkBagRead read(const QString& key, const QVariant& def) override {
        seen.append(key);
        if (key == failKey)
            return {{}, {57, QStringLiteral("bag broken")}};
        return zkMemoryPropertyBag::read(key, def);
    }
    zkHostError write(const QString& key, const QVariant& v, const QVariant& def) override {
        seen.append(key);
        if (key == failKey)
            return {58, QStringLiteral("disk full")};
        return zkMemoryPropertyBag::write(key, v, def);
    }
};

TEST(Persistence, FailingBagStopsAtThatKeyWithItsError) {
    Rig rig;
    FailingBag bag;
    bag.set(QStringLiteral("Caption"), QStringLiteral("loaded"));
    bag.set(QStringLiteral("ForeColor"), QVariant::fromValue(0x00000001u));
    bag.failKey = QStringLiteral("FocusRectMargin");
    const zkHostError error = rig->ReadProperties(bag);
    EXPECT_EQ(error.code, 57);
    EXPECT_EQ(rig->caption(), QStringLiteral("loaded"));
    EXPECT_EQ(rig->foreColor(), 0x00000001u); // ForeColor is read before FocusRectMargin
    EXPECT_EQ(bag.seen.last(), QStringLiteral("FocusRectMargin"));

    FailingBag out;
    out.failKey = QStringLiteral("Font");
    EXPECT_EQ(rig->WriteProperties(out).code, 58);
    EXPECT_EQ(out.seen.last(), QStringLiteral("Font"));
    EXPECT_EQ(out.seen.at(out.seen.size() - 2), QStringLiteral("FillStyle"));
}

TEST(Persistence, LoadAndSaveOrders) {
    Rig rig;
    FailingBag bag;
    rig->ReadProperties(bag);
    const QStringList load = bag.seen;
    ASSERT_EQ(load.size(), 31);
    EXPECT_LT(load.indexOf(QStringLiteral("ForeColor")),
              load.indexOf(QStringLiteral("FocusRectMargin")));
    EXPECT_EQ(load.first(), QStringLiteral("Appearance"));
    EXPECT_EQ(load.last(), QStringLiteral("Value"));
    FailingBag out;
    rig->WriteProperties(out);
    EXPECT_LT(out.seen.indexOf(QStringLiteral("FocusRectMargin")),
              out.seen.indexOf(QStringLiteral("ForeColor")));
}

TEST(Persistence, ContainerWithoutFillColorAnswersBlack) {
    QWidget plain;
    zkButton button(&plain);
    EXPECT_EQ(button.fillColor(), 0u);
    QWidget form;
    form.setProperty("FillColor", QVariant::fromValue(0x00C0FFEEu));
    zkButton inForm(&form);
    EXPECT_EQ(inForm.fillColor(), 0x00C0FFEEu);
}

TEST(Caption, MnemonicDerivation) {
    Rig rig;
    rig->setCaption(QStringLiteral("Fi&le && E&xit"));
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("File & Exit"));
    EXPECT_EQ(rig->accessKeys(), QStringLiteral("x"));
    EXPECT_EQ(rig->mnemonicPos(), 9);
    rig->setCaption(QStringLiteral("&&"));
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("&"));
    EXPECT_EQ(rig->accessKeys(), QString());
    rig->setUseMnemonic(false); // does not re-derive by itself
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("&"));
    rig->setCaption(QStringLiteral("Fi&le"));
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("Fi&le"));
    EXPECT_EQ(rig->accessKeys(), QString());
    EXPECT_EQ(rig->mnemonicPos(), 0);
}

TEST(Pictures, EmptyPictureGivesZeroSizedHolder) {
    Rig rig;
    rig->setPicture(solidPicture(7, 5, 0xFF000000));
    EXPECT_EQ(rig->holderSize(QStringLiteral("Picture")), QSize(7, 5));
    rig->setPicture(zkPictureRef::create());
    EXPECT_EQ(rig->holderSize(QStringLiteral("Picture")), QSize(0, 0));
    EXPECT_EQ(rig->picture()->handle(), 0);
}

TEST(Pictures, SharedByReference) {
    Rig a, b;
    const zkPictureRef p = solidPicture(4, 4, 0xFF010203);
    a->setPicture(p);
    b->setPicture(p);
    EXPECT_EQ(a->picture().data(), b->picture().data());
    EXPECT_NE(p->handle(), solidPicture(4, 4, 0xFF010203)->handle());
}

TEST(Fonts, ChangedInPlaceForEveryButtonThatSharesIt) {
    Rig a(60, 20), b(60, 20);
    const zkFontRef f = zkFontRef::create(QStringLiteral("DejaVu Sans"), 9);
    a->setButtonFont(f);
    b->setButtonFont(f);
    a->setCaption(QStringLiteral("W"));
    const int widthBefore = a->TextWidth(QStringLiteral("WWW"));
    const int copies = b->surfaceCopyCount();
    f->setSize(18);
    f->setBold(true);
    EXPECT_TRUE(b->buttonFont()->bold());
    EXPECT_GT(a->TextWidth(QStringLiteral("WWW")), widthBefore);
    EXPECT_GT(b->surfaceCopyCount(), copies); // the change shows at once
}

TEST(ScaleMode, ChangesUnitsWithoutRedrawOrNotification) {
    Rig rig(30, 20);
    EXPECT_EQ(rig->scaleWidth(), 450);
    EXPECT_EQ(rig->scaleHeight(), 300);
    QSignalSpy spy(rig.button.get(), &zkButton::PropertyChanged);
    const int copies = rig->surfaceCopyCount();
    rig->setScaleMode(zkButton::vbPixels);
    EXPECT_EQ(spy.size(), 0);
    EXPECT_EQ(rig->surfaceCopyCount(), copies);
    EXPECT_EQ(rig->scaleWidth(), 30);
    rig->setScaleMode(zkButton::vbCharacters);
    EXPECT_EQ(rig->scaleHeight(), 1); // 300 twips / 240, rounded
}

} // namespace
