// Property setters, new-instance values, persistence through a bag, and the shared
// picture and font objects.
#include "button_fixture.h"

#include <QMetaProperty>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

// The published, writable properties of the button (not QWidget's, nor the Qt-typed
// stand-ins Designer edits).
QList<QMetaProperty> published() {
    QList<QMetaProperty> out;
    static const QRegularExpression standIn(QStringLiteral("(File|QPixmap|QFont|QColor)$"));
    const QMetaObject& meta = zkButton::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        if (meta.property(i).isWritable() &&
            !standIn.match(QLatin1String(meta.property(i).name())).hasMatch())
            out.append(meta.property(i));
    return out;
}

// A value different from the property's current one.
QVariant changedValue(const zkButton& b, const QMetaProperty& p) {
    const QVariant now = p.read(&b);
    if (p.metaType() == QMetaType::fromType<zkPictureRef>())
        return QVariant::fromValue(solidPicture(3, 2, 0xFF102030));
    if (p.metaType() == QMetaType::fromType<zkFontRef>())
        return QVariant::fromValue(
            zkFontRef::create(QStringLiteral("DejaVu Serif"), 11, true, false, true, false));
    if (p.metaType() == QMetaType::fromType<QString>())
        return QStringLiteral("Sa&ve");
    if (p.metaType() == QMetaType::fromType<bool>())
        return !now.toBool();
    if (p.metaType() == QMetaType::fromType<uint>())
        return QVariant::fromValue(now.toUInt() + 1);
    return now.toInt() + 1;
}

TEST(Properties, EverySetterStoresRedrawsAndNotifies) {
    const QStringList noRedraw{
        "MousePointer", "DrawMode",  "DrawStyle", "DrawWidth",
        "FillStyle",    "ScaleMode", "OwnerDraw"}; // owner draw copies nothing
    const QList<QMetaProperty> properties = published();
    ASSERT_EQ(properties.size(), 31);
    for (const QMetaProperty& p : properties) {
        SCOPED_TRACE(p.name());
        Rig rig;
        QSignalSpy spy(rig.button.get(), &zkButton::PropertyChanged);
        const int copies = rig->surfaceCopyCount();
        const QVariant value = changedValue(*rig.button, p);
        ASSERT_TRUE(p.write(rig.button.get(), value));
        EXPECT_TRUE(zkSameValue(p.read(rig.button.get()), value));
        EXPECT_EQ(rig->surfaceCopyCount() > copies, !noRedraw.contains(QLatin1String(p.name())));
        const QStringList names = p.name() == QByteArray("ScaleMode")
                                      ? QStringList()
                                      : QStringList{QLatin1String(p.name())};
        EXPECT_EQ(spy.size(), names.size());
        for (const QList<QVariant>& args : spy)
            EXPECT_EQ(args.first().toString(), names.first());
    }
}

TEST(Persistence, NewInstanceDiffersFromTheBagDefaultsOnlyIn3DLook) {
    Rig rig;
    zkMemoryPropertyBag empty, saved, fresh;
    ASSERT_FALSE(rig->ReadProperties(empty).failed());
    EXPECT_EQ(rig->appearance(), zkButton::zbaFlat); // the bag default
    ASSERT_FALSE(rig->WriteProperties(saved).failed());
    EXPECT_EQ(saved.keys(), QStringList());
    rig.host->name = QStringLiteral("zkScan");
    rig->InitProperties();
    EXPECT_EQ(rig->displayCaption(), QStringLiteral("zkScan"));
    EXPECT_EQ(rig->fillColor(), 0x00123456u); // the container's
    rig.host->name = QString();
    rig->InitProperties();
    rig->WriteProperties(fresh);
    EXPECT_EQ(fresh.keys(), QStringList{QStringLiteral("Appearance")});

    // A container that cannot answer FillColor stops initialisation there.
    rig->setFocusRectMargin(7);
    rig->setDrawWidth(5);
    rig.host->fillFails = true;
    EXPECT_EQ(rig->InitProperties().code, 438);
    EXPECT_EQ(rig->drawWidth(), 1);       // before FillColor: assigned
    EXPECT_EQ(rig->focusRectMargin(), 7); // after it: untouched
}

TEST(Persistence, EveryPropertyRoundTripsUnderItsOwnKey) {
    Rig a;
    for (const QMetaProperty& p : published())
        p.write(a.button.get(), changedValue(*a.button, p));
    zkMemoryPropertyBag bag;
    ASSERT_FALSE(a->WriteProperties(bag).failed());
    ASSERT_EQ(bag.size(), 31) << bag.keys().join(u',').toStdString();
    Rig b;
    ASSERT_FALSE(b->ReadProperties(bag).failed());
    for (const QString& key : bag.keys()) {
        const QByteArray name = key.toLatin1();
        EXPECT_TRUE(zkSameValue(bag.value(key), a->property(name))) << name.constData();
        EXPECT_TRUE(zkSameValue(b->property(name), a->property(name))) << name.constData();
    }
    EXPECT_NE(b->buttonFont(), a->buttonFont());  // a saved font comes back as its own object
    EXPECT_EQ(b->displayCaption(), a->caption()); // UseMnemonic False when loaded
    EXPECT_EQ(b->isEnabled(), a->isButtonEnabled());
    EXPECT_TRUE(b->acceptDrops());
}

// A bag that records the keys it is asked for and fails at one of them.
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
        return key == failKey ? zkHostError{58, QStringLiteral("disk full")}
                              : zkMemoryPropertyBag::write(key, v, def);
    }
};

TEST(Persistence, OrdersAndAFailingBagStopsAtItsKey) {
    Rig rig;
    FailingBag all, saved, bag, out;
    rig->ReadProperties(all);
    ASSERT_EQ(all.seen.size(), 31);
    EXPECT_EQ(all.seen.indexOf("ForeColor") + 1, all.seen.indexOf("FocusRectMargin"));
    rig->WriteProperties(saved);
    EXPECT_EQ(saved.seen.indexOf("FocusRectMargin") + 1, saved.seen.indexOf("ForeColor"));

    bag.set(QStringLiteral("ForeColor"), QVariant::fromValue(0x00000001u));
    bag.failKey = QStringLiteral("FocusRectMargin");
    EXPECT_EQ(rig->ReadProperties(bag).code, 57);
    EXPECT_EQ(rig->foreColor(), 0x00000001u);
    EXPECT_EQ(bag.seen.last(), bag.failKey);
    out.failKey = QStringLiteral("Font");
    EXPECT_EQ(rig->WriteProperties(out).code, 58);
    EXPECT_EQ(out.seen.last(), out.failKey);
}

TEST(Persistence, ContainerWithoutFillColorAnswersBlack) {
    QWidget plain, form;
    form.setProperty("FillColor", QVariant::fromValue(0x00C0FFEEu));
    EXPECT_EQ(zkButton(&plain).fillColor(), 0u);
    EXPECT_EQ(zkButton(&form).fillColor(), 0x00C0FFEEu);
}

TEST(Fonts, ChangedInPlaceForEveryButtonThatSharesIt) {
    Rig a(60, 20), b(60, 20);
    const zkFontRef f = zkFontRef::create(QStringLiteral("DejaVu Sans"), 9);
    a->setButtonFont(f);
    b->setButtonFont(f);
    const int widthBefore = a->TextWidth(QStringLiteral("WWW"));
    const int copies = b->surfaceCopyCount();
    f->setSize(18);
    EXPECT_GT(a->TextWidth(QStringLiteral("WWW")), widthBefore);
    EXPECT_GT(b->surfaceCopyCount(), copies); // the change shows at once
}

} // namespace
