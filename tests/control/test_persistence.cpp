// Property setters, new-instance values, persistence through a bag and the form
// text that hosts store control bags in.
#include "button_fixture.h"
#include "zk_form_text.h"

#include <QDir>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

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

TEST(Properties, EverySetterStoresRedrawsNotifiesAndRoundTripsUnderItsOwnKey) {
    const QStringList noRedraw{
        "MousePointer", "DrawMode",  "DrawStyle", "DrawWidth",
        "FillStyle",    "ScaleMode", "OwnerDraw"}; // owner draw copies nothing
    const QList<QMetaProperty> properties = published();
    ASSERT_EQ(properties.size(), 31);
    Rig a; // every property changed
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
        p.write(a.button.get(), value);
    }
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

// A button with every property changed stores each one under its key, in save order, in
// the notation of the form text; reading that back and saving again gives the same text.
TEST(Persistence, EveryChangedPropertyIsStoredAndReadBackUnchanged) {
    const QVariant pic = QVariant::fromValue(solidPicture(2, 1, 0xFF102030));
    const QString picText = zk::form::formatValue(pic);
    const QVariant font = QVariant::fromValue(
        zkFontRef::create(QStringLiteral("DejaVu Serif"), 11, true, false, true, false));
    const std::tuple<const char*, QVariant, QString> rows[] = {
        {"Appearance", 1, "1"},
        {"BackColor", 0x8000000Fu, "&H8000000F&"},
        {"Cancel", true, "True"},
        {"Caption", QStringLiteral("Sa&ve \"x\""), R"("Sa&ve \"x\"")"},
        {"CaptionAlign", 7, "7"},
        {"Default", true, "True"},
        {"DisablePicture", pic, picText},
        {"DownPicture", pic, picText},
        {"DrawMode", 7, "7"},
        {"DrawStyle", 2, "2"},
        {"DrawWidth", 3, "3"},
        {"Enabled", false, "False"},
        {"FillColor", 0x000000FFu, "&H000000FF&"},
        {"FillStyle", 0, "0"},
        {"Font", font, R"(Font("DejaVu Serif", 11, Bold, Underline))"},
        {"FocusRectMargin", -2, "-2"},
        {"ForeColor", 0x00010203u, "&H00010203&"},
        {"MaskColor", 0x0000FF00u, "&H0000FF00&"},
        {"MouseIcon", pic, picText},
        {"MousePointer", 99, "99"},
        {"OLEDropMode", 1, "1"},
        {"OwnerDraw", true, "True"},
        {"Picture", pic, picText},
        {"PictureAlign", 3, "3"},
        {"ScaleMode", 3, "3"},
        {"SelectPicture", pic, picText},
        {"ShowFocusRect", false, "False"},
        {"Style", 1, "1"},
        {"UseMaskColor", true, "True"},
        {"UseMnemonic", false, "False"},
        {"Value", 1, "1"}};
    Rig a, b;
    QByteArray expected = "Begin zkButtonProject.zkButton a\n";
    for (const auto& [key, value, text] : rows) {
        ASSERT_TRUE(a->setProperty(key, value)) << key;
        expected += QStringLiteral("   %1 = %2\n").arg(QLatin1String(key), text).toUtf8();
    }
    expected += "End\n";
    const auto save = [](const zkButton& button) {
        auto bag = std::make_shared<zkMemoryPropertyBag>();
        EXPECT_FALSE(button.WriteProperties(*bag).failed());
        return zk::form::write({{QStringLiteral("zkButtonProject.zkButton"), "a", bag}});
    };
    const QByteArray text = save(*a.button);
    EXPECT_EQ(text, expected);
    const zkFormText form = zk::form::parse(text, {});
    ASSERT_TRUE(form.ok()) << form.error.toStdString();
    ASSERT_FALSE(b->ReadProperties(*form.controls.first().bag).failed());
    EXPECT_EQ(save(*b.button), expected);
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

// Comments are skipped: the round trip writes none of them.
const char* kToolbarText = "' toolbar\n"
                           "Begin zkButtonProject.zkButton zkScan\n"
                           "   ' note\n"
                           "   Caption = \"\"\n"
                           "   CaptionAlign = 3\n"
                           "   Font = Font(\"DejaVu Sans\", 9)\n"
                           "   Picture = Picture(\"icons/scan.png\")\n"
                           "   PictureAlign = 4\n"
                           "   ShowFocusRect = False\n"
                           "End\n"
                           "Begin zkButtonProject.zkButton zkExit\n"
                           "   BackColor = &H8000000F&\n"
                           "   Caption = \"E&xit \\\"now\\\"\\n\"\n"
                           "   Font = Font(\"DejaVu Serif\", 10.5, Bold, Strikethrough)\n"
                           "   FocusRectMargin = -2\n"
                           "End\n";

class FormText : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.filePath(QStringLiteral("icons")));
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(0xFF3060C0);
        ASSERT_TRUE(icon.save(dir.filePath(QStringLiteral("icons/scan.png"))));
    }
    QTemporaryDir dir;
};

TEST_F(FormText, ButtonsRestoredFromTextWriteTheSameText) {
    const zkFormText form = zk::form::parse(kToolbarText, dir.path());
    ASSERT_TRUE(form.ok());
    QList<zkFormControl> saved;
    for (const zkFormControl& control : form.controls) {
        Rig rig;
        rig.host->name = control.name;
        rig.host->back = 0x8000000F;
        ASSERT_FALSE(rig->ReadProperties(*control.bag).failed());
        auto bag = std::make_shared<zkMemoryPropertyBag>();
        ASSERT_FALSE(rig->WriteProperties(*bag).failed());
        saved.append({control.className, control.name, bag});
    }
    // Comments and keys holding defaults (the ambient font and back colour) are not
    // written; the rest comes out as it was read, in save order.
    QByteArray expected;
    for (const QByteArray& line : QByteArray(kToolbarText).split('\n'))
        if (!line.isEmpty() && !line.trimmed().startsWith('\'') && !line.contains("BackColor") &&
            !line.contains("Sans"))
            expected += line + '\n';
    EXPECT_EQ(zk::form::write(saved), expected);
    // Written to a file it reads back, pictures relative to the file's folder, into the
    // same text; a file that cannot be made fails.
    const QString path = dir.filePath(QStringLiteral("main.form"));
    ASSERT_FALSE(zk::form::writeFile(path, saved).failed());
    const zkFormText again = zk::form::readFile(path);
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(zk::form::write(again.controls), expected);
    EXPECT_TRUE(
        zk::form::writeFile(dir.filePath(QStringLiteral("no/such/x.form")), saved).failed());
}

TEST_F(FormText, RejectsFaultsWithTheirLine) {
    // Faults outside a block, then lines of a block "x y".
    const std::pair<const char*, int> outside[] = {
        {"Caption = \"x\"\n", 1},
        {"Begin zkButtonProject.zkButton a\nBegin zkButtonProject.zkButton b\n", 2},
        {"End\n", 1},
        {"Begin zkButtonProject.zkButton a\n", 1},
        {"Begin zkButtonProject.zkButton\nEnd\n", 1}};
    const char* inside[] = {
        "Caption \"x\"", "Caption = \"x", "Caption = \"\\q\"", "Value = 99999999999",
        "BackColor = &H1FFFFFFFF&", "BackColor = &HZZ&", "Font = Font(\"a\", -3)",
        "Font = Font(\"a\", 9, Heavy)", "Picture = Picture(\"../outside.png\")",
        "Picture = Picture(\"/etc/passwd\")", "Picture = Picture(\"icons/missing.png\")",
        "Picture = PictureData(1, \"!!!\")", "Picture = PictureData(9, \"\")", "2bad = 1",
        "Value = maybe",
        // Keys that would be written back as block markers.
        "Begin=5", "End = 1"};
    QList<std::pair<QByteArray, int>> cases;
    for (const auto& [text, line] : outside)
        cases.append({text, line});
    for (const char* line : inside)
        cases.append({QByteArray("Begin x y\n  ") + line + "\nEnd\n", 2});
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text.constData());
        const zkFormText form = zk::form::parse(text, dir.path());
        EXPECT_FALSE(form.ok());
        EXPECT_EQ(form.errorLine, line);
        EXPECT_TRUE(form.controls.isEmpty());
    }
}

} // namespace
