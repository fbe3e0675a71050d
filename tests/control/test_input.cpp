// Event sequences of the button with a driven cursor and timer ticks.
#include "button_fixture.h"
#include "input_helpers.h"

#include <QMimeData>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

// Records every event as "Name(args)".
struct Recorder {
    QStringList log;
    explicit Recorder(zkButton* b) {
        const auto four = [this](const char* name) {
            return [this, name](int& b, int& s, int& x, int& y) {
                log.append(QStringLiteral("%1(%2,%3,%4,%5)")
                               .arg(QLatin1String(name))
                               .arg(b)
                               .arg(s)
                               .arg(x)
                               .arg(y));
            };
        };
        QObject::connect(b, &zkButton::Click, four("Click"));
        QObject::connect(b, &zkButton::MouseDown, four("MouseDown"));
        QObject::connect(b, &zkButton::MouseUp, four("MouseUp"));
        QObject::connect(b, &zkButton::MouseMove, four("MouseMove"));
        QObject::connect(b, &zkButton::MouseIn, four("MouseIn"));
        QObject::connect(b, &zkButton::MouseOut, four("MouseOut"));
        QObject::connect(b, &zkButton::KeyDown, [this](int& k, int& s) {
            log.append(QStringLiteral("KeyDown(%1,%2)").arg(k).arg(s));
        });
        QObject::connect(b, &zkButton::KeyUp, [this](int& k, int& s) {
            log.append(QStringLiteral("KeyUp(%1,%2)").arg(k).arg(s));
        });
        QObject::connect(b, &zkButton::KeyPress,
                         [this](int& c) { log.append(QStringLiteral("KeyPress(%1)").arg(c)); });
    }
    QStringList names() const {
        QStringList out;
        for (const QString& e : log)
            out.append(e.left(e.indexOf(u'(')));
        return out;
    }
};

struct InputRig : Rig {
    Recorder rec{button.get()};
    InputRig() : Rig(40, 20) {
        button->setScaleMode(zkButton::vbPixels);
        zkMemoryPropertyBag empty; // load: hover unknown, timer on
        button->ReadProperties(empty);
        button->setScaleMode(zkButton::vbPixels);
    }
    void cursorAt(int x, int y) { cursor->pos = button->mapToGlobal(QPoint(x, y)); }
    void tick() { button->hoverTick(); }
};

TEST(Input, FirstTickAfterLoadingAlwaysReports) {
    InputRig rig;
    rig.cursorAt(-5, 3);
    rig.tick();
    EXPECT_EQ(rig.rec.log, QStringList{QStringLiteral("MouseOut(0,0,-5,3)")});
    rig.tick();
    EXPECT_EQ(rig.rec.log.size(), 1); // no change, nothing raised
    rig.cursorAt(39, 19);
    rig.tick();
    EXPECT_EQ(rig.rec.log.last(), QStringLiteral("MouseIn(0,0,39,19)"));
    EXPECT_EQ(rig->hoverState(), 1);
    rig.cursorAt(40, 19); // the right edge is outside
    rig.tick();
    EXPECT_EQ(rig.rec.log.last(), QStringLiteral("MouseOut(0,0,40,19)"));
}

TEST(Input, HoverDrawsSelectLookAndTicksConvertToScaleMode) {
    InputRig rig;
    rig->setAppearance(zkButton::zbaFlat);
    rig->setScaleMode(zkButton::vbTwips);
    rig.cursorAt(2, 3);
    rig.tick();
    EXPECT_EQ(rig.rec.log.last(), QStringLiteral("MouseIn(0,0,30,45)"));
    EXPECT_EQ(rig.px(0, 0), kHighlight); // flat raised while hovered
    rig.cursorAt(100, 3);
    rig.tick();
    EXPECT_EQ(rig.px(0, 0), kBack);
}

TEST(Input, DisabledButtonRaisesNoHoverEvents) {
    InputRig rig;
    rig->setButtonEnabled(false);
    rig.cursorAt(5, 5);
    rig.tick();
    rig.cursorAt(-5, 5);
    rig.tick();
    EXPECT_TRUE(rig.rec.log.isEmpty());
}

TEST(Input, RightButtonRaisesNoDownUpOrClickButMoves) {
    InputRig rig;
    press(rig.button.get(), {5, 5}, Qt::RightButton);
    move(rig.button.get(), {6, 5}, Qt::RightButton);
    release(rig.button.get(), {6, 5}, Qt::RightButton);
    EXPECT_EQ(rig.rec.log, QStringList{QStringLiteral("MouseMove(2,0,6,5)")});
    EXPECT_FALSE(rig->isPressed());
}

TEST(Input, ClickInsideRaisesDownUpClick) {
    InputRig rig;
    press(rig.button.get(), {5.5, 4.5});
    EXPECT_TRUE(rig->isPressed());
    EXPECT_FALSE(rig->isHoverTimerEnabled());
    release(rig.button.get(), {6, 4});
    EXPECT_EQ(rig.rec.log,
              (QStringList{QStringLiteral("MouseDown(1,0,6,4)"), QStringLiteral("MouseUp(1,0,6,4)"),
                           QStringLiteral("Click(1,0,6,4)")}));
    EXPECT_TRUE(rig->isHoverTimerEnabled());
}

TEST(Input, DragOutAndReleaseGivesNoClickAndMouseOutAtNextTick) {
    InputRig rig;
    rig.cursorAt(5, 5);
    rig.tick(); // hover 1
    rig.rec.log.clear();
    press(rig.button.get(), {5, 5});
    move(rig.button.get(), {10, 5});
    move(rig.button.get(), {50, 5});
    move(rig.button.get(), {60, 5});
    release(rig.button.get(), {60, 5});
    EXPECT_EQ(rig.rec.names(), (QStringList{"MouseDown", "MouseIn", "MouseMove", "MouseOut",
                                            "MouseMove", "MouseOut", "MouseMove", "MouseUp"}));
    EXPECT_EQ(rig->hoverState(), 1); // the timer was stopped during the press
    rig.cursorAt(60, 5);
    rig.tick();
    EXPECT_EQ(rig.rec.names().last(), QStringLiteral("MouseOut"));
}

TEST(Input, CheckStyleTogglesAfterMouseUpBeforeClick) {
    InputRig rig;
    rig->setButtonStyle(zkButton::zbbCheck);
    QList<int> valueAt;
    QObject::connect(rig.button.get(), &zkButton::MouseUp,
                     [&](int&, int&, int&, int&) { valueAt.append(rig->value()); });
    QObject::connect(rig.button.get(), &zkButton::Click,
                     [&](int&, int&, int&, int&) { valueAt.append(rig->value()); });
    press(rig.button.get(), {3, 3});
    release(rig.button.get(), {3, 3});
    EXPECT_EQ(valueAt, (QList<int>{0, 1}));
    press(rig.button.get(), {3, 3});
    release(rig.button.get(), {3, 3});
    EXPECT_EQ(rig->value(), zkButton::zbvOff);
}

TEST(Input, SpaceDownUpOrderAndClickCarriesLastMousePosition) {
    InputRig rig;
    move(rig.button.get(), {7, 8}, Qt::NoButton);
    rig.rec.log.clear();
    key(rig.button.get(), QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(rig->isPressed());
    EXPECT_EQ(rig.px(0, 0), kShadow); // pushed frame
    key(rig.button.get(), QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(rig.rec.log,
              (QStringList{QStringLiteral("KeyDown(32,0)"), QStringLiteral("KeyPress(32)"),
                           QStringLiteral("Click(0,0,7,8)"), QStringLiteral("KeyUp(32,0)")}));
    EXPECT_FALSE(rig->isPressed());
}

TEST(Input, FocusLostCancelsTheSpacePress) {
    InputRig rig;
    focus(rig.button.get(), true);
    key(rig.button.get(), QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    focus(rig.button.get(), false);
    key(rig.button.get(), QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_FALSE(rig.rec.names().contains(QStringLiteral("Click")));
    EXPECT_TRUE(rig->isHoverTimerEnabled());
    EXPECT_FALSE(rig->hasButtonFocus());
}

TEST(Input, DefaultWithEnterRaisesOneClickWithRecordedFields) {
    InputRig rig;
    rig->setDefault(true);
    move(rig.button.get(), {4, 6}, Qt::NoButton);
    rig.rec.log.clear();
    rig->accessKeyPress(13);
    EXPECT_EQ(rig.rec.log, QStringList{QStringLiteral("Click(0,0,4,6)")});
    rig->setDefault(false);
    rig->accessKeyPress(13);
    EXPECT_EQ(rig.rec.log.size(), 1);
}

TEST(Input, EscWithCancelAndAccessKeyClickWithoutPressLook) {
    InputRig rig;
    rig->setCancel(true);
    rig->setCaption(QStringLiteral("&Open"));
    const QImage before = rig->visibleSurface();
    rig->accessKeyPress(27);
    rig->accessKeyPress('o');
    rig->accessKeyPress('x');
    EXPECT_EQ(rig.rec.names(), (QStringList{"Click", "Click"}));
    EXPECT_EQ(rig->visibleSurface(), before);
}

TEST(Input, AccessKeyClickHandsOverTheRecordedFields) {
    InputRig rig;
    rig->setScaleMode(zkButton::vbTwips);
    rig->setCaption(QStringLiteral("&Go"));
    move(rig.button.get(), {4, 6}, Qt::NoButton);
    int seenX = 0;
    QObject::connect(rig.button.get(), &zkButton::Click, [&](int&, int&, int& x, int& y) {
        seenX = x; // surface pixels, not twips
        x = 33;    // written back into the button's LastX
        y = 44;
    });
    rig->accessKeyPress('G');
    EXPECT_EQ(seenX, 4);
    rig.rec.log.clear();
    key(rig.button.get(), QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    key(rig.button.get(), QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(rig.rec.log.contains(QStringLiteral("Click(0,0,495,660)"))); // 33, 44 px
}

TEST(Input, MouseEventArgumentsAreCopies) {
    InputRig rig;
    QObject::connect(rig.button.get(), &zkButton::MouseDown, [](int& b, int&, int& x, int&) {
        b = 9;
        x = 99;
    });
    press(rig.button.get(), {5, 5});
    release(rig.button.get(), {5, 5});
    EXPECT_TRUE(rig.rec.log.contains(QStringLiteral("Click(1,0,5,5)")));
}

struct Form {
    QWidget window;
    QWidget frameA{&window};
    QWidget frameB{&window};
    std::vector<zkButton*> make(QWidget* parent, int n) {
        std::vector<zkButton*> out;
        for (int i = 0; i < n; ++i) {
            auto* b = new zkButton(parent);
            b->resize(20, 10);
            b->setButtonStyle(zkButton::zbbOption);
            out.push_back(b);
        }
        return out;
    }
};

void clickOn(zkButton* b) {
    press(b, {2, 2});
    release(b, {2, 2});
}

TEST(OptionGroup, ThreeInOneFrameLeaveExactlyTheClickedOneOn) {
    Form form;
    auto a = form.make(&form.frameA, 3);
    clickOn(a[0]);
    clickOn(a[2]);
    EXPECT_EQ(a[0]->value(), zkButton::zbvOff);
    EXPECT_EQ(a[1]->value(), zkButton::zbvOff);
    EXPECT_EQ(a[2]->value(), zkButton::zbvOn);
    int clicks = 0;
    QObject::connect(a[2], &zkButton::Click, [&](int&, int&, int&, int&) { ++clicks; });
    clickOn(a[2]); // already on: stays on, still clicks
    EXPECT_EQ(a[2]->value(), zkButton::zbvOn);
    EXPECT_EQ(clicks, 1);
}

TEST(OptionGroup, TwoFramesDoNotClearEachOther) {
    Form form;
    auto a = form.make(&form.frameA, 2);
    auto b = form.make(&form.frameB, 2);
    auto* plain = new zkButton(&form.frameA); // a button of style Button is left alone
    plain->setValue(zkButton::zbvOn);
    clickOn(a[0]);
    clickOn(b[1]);
    EXPECT_EQ(a[0]->value(), zkButton::zbvOn);
    EXPECT_EQ(b[1]->value(), zkButton::zbvOn);
    EXPECT_EQ(plain->value(), zkButton::zbvOn);
    a[1]->setValue(zkButton::zbvOn); // from code: no clearing
    EXPECT_EQ(a[0]->value(), zkButton::zbvOn);
}

TEST(Drag, DropRaisesDragDropWithConvertedPosition) {
    InputRig rig;
    rig->setOleDropMode(zkButton::zboManual);
    int dropX = -1, effectSeen = -1;
    QObject::connect(rig.button.get(), &zkButton::OLEDragDrop,
                     [&](const QMimeData* data, int& effect, int&, int&, int& x, int&) {
                         EXPECT_TRUE(data->hasText());
                         dropX = x;
                         effectSeen = effect;
                         effect = 0; // refuse
                     });
    QMimeData mime;
    mime.setText(QStringLiteral("x"));
    QDragEnterEvent enter(QPoint(7, 3), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.button.get(), &enter);
    QDropEvent drop(QPointF(7, 3), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.button.get(), &drop);
    EXPECT_EQ(dropX, 7);
    EXPECT_EQ(effectSeen, 1);
    EXPECT_FALSE(drop.isAccepted());
}

} // namespace
