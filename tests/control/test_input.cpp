// Event sequences of the button with a driven cursor and timer ticks.
#include "button_fixture.h"
#include "input_helpers.h"

#include <QMimeData>
#include <functional>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

// Records every event as "Name(args)".
struct Recorder {
    QStringList log;
    explicit Recorder(zkButton* b) {
        const auto four = [this](const char* name) {
            return [this, name](int& b, int& s, int& x, int& y) {
                log << QStringLiteral("%1(%2,%3,%4,%5)")
                           .arg(QLatin1String(name))
                           .arg(b)
                           .arg(s)
                           .arg(x)
                           .arg(y);
            };
        };
        QObject::connect(b, &zkButton::Click, four("Click"));
        QObject::connect(b, &zkButton::MouseDown, four("MouseDown"));
        QObject::connect(b, &zkButton::MouseUp, four("MouseUp"));
        QObject::connect(b, &zkButton::MouseMove, four("MouseMove"));
        QObject::connect(b, &zkButton::MouseIn, four("MouseIn"));
        QObject::connect(b, &zkButton::MouseOut, four("MouseOut"));
        QObject::connect(b, &zkButton::KeyDown, [this](int& k, int& s) {
            log << QStringLiteral("KeyDown(%1,%2)").arg(k).arg(s);
        });
        QObject::connect(b, &zkButton::KeyUp, [this](int& k, int& s) {
            log << QStringLiteral("KeyUp(%1,%2)").arg(k).arg(s);
        });
        QObject::connect(b, &zkButton::KeyPress,
                         [this](int& c) { log << QStringLiteral("KeyPress(%1)").arg(c); });
    }
};

// A loaded button (hover unknown, timer on) measuring in pixels.
struct InputRig : Rig {
    Recorder rec{button.get()};
    InputRig() : Rig(40, 20) {
        zkMemoryPropertyBag empty;
        button->ReadProperties(empty);
        button->setScaleMode(zkButton::vbPixels);
    }
    void tickAt(int x, int y) {
        cursor->pos = button->mapToGlobal(QPoint(x, y));
        button->hoverTick();
    }
    void space(QEvent::Type type) { key(button.get(), type, Qt::Key_Space, QStringLiteral(" ")); }
};

TEST(Input, EventSequences) {
    struct Script {
        const char* what;
        std::function<void(InputRig&)> act;
        QStringList log;
    };
    const Script scripts[] = {
        {"first tick after loading reports, later only changes; the right edge is outside",
         [](InputRig& r) {
             r.tickAt(-5, 3);
             r.tickAt(-6, 3);
             r.tickAt(39, 19);
             r.tickAt(40, 19);
         },
         {"MouseOut(0,0,-5,3)", "MouseIn(0,0,39,19)", "MouseOut(0,0,40,19)"}},
        {"disabled: no hover events",
         [](InputRig& r) {
             r->setButtonEnabled(false);
             r.tickAt(5, 5);
             r.tickAt(-5, 5);
         },
         {}},
        {"right button only moves",
         [](InputRig& r) {
             press(r.button.get(), {5, 5}, Qt::RightButton);
             move(r.button.get(), {6, 5}, Qt::RightButton);
             release(r.button.get(), {6, 5}, Qt::RightButton);
         },
         {"MouseMove(2,0,6,5)"}},
        {"click inside, positions rounded half to even",
         [](InputRig& r) {
             press(r.button.get(), {5.5, 4.5});
             release(r.button.get(), {6, 4});
         },
         {"MouseDown(1,0,6,4)", "MouseUp(1,0,6,4)", "Click(1,0,6,4)"}},
        {"handlers get copies",
         [](InputRig& r) {
             QObject::connect(r.button.get(), &zkButton::MouseDown, [](int& b, int&, int& x, int&) {
                 b = 9;
                 x = 99;
             });
             press(r.button.get(), {5, 5});
             release(r.button.get(), {5, 5});
         },
         {"MouseDown(1,0,5,5)", "MouseUp(1,0,5,5)", "Click(1,0,5,5)"}},
        {"drag out and release: no click",
         [](InputRig& r) {
             press(r.button.get(), {5, 5});
             move(r.button.get(), {10, 5});
             move(r.button.get(), {50, 5});
             release(r.button.get(), {50, 5});
         },
         {"MouseDown(1,0,5,5)", "MouseIn(1,0,10,5)", "MouseMove(1,0,10,5)", "MouseOut(1,0,50,5)",
          "MouseMove(1,0,50,5)", "MouseUp(1,0,50,5)"}},
        {"space clicks with the last mouse position, before KeyUp",
         [](InputRig& r) {
             move(r.button.get(), {7, 8}, Qt::NoButton);
             r.space(QEvent::KeyPress);
             r.space(QEvent::KeyRelease);
         },
         {"MouseMove(0,0,7,8)", "KeyDown(32,0)", "KeyPress(32)", "Click(0,0,7,8)", "KeyUp(32,0)"}},
        {"losing the focus cancels a space press",
         [](InputRig& r) {
             focus(r.button.get(), true);
             r.space(QEvent::KeyPress);
             focus(r.button.get(), false);
             r.space(QEvent::KeyRelease);
         },
         {"KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)"}},
        {"Enter clicks only a Default button",
         [](InputRig& r) {
             r->setDefault(true);
             move(r.button.get(), {4, 6}, Qt::NoButton);
             r->accessKeyPress(13);
             r->setDefault(false);
             r->accessKeyPress(13);
         },
         {"MouseMove(0,0,4,6)", "Click(0,0,4,6)"}},
        {"Esc with Cancel and the access key in either case",
         [](InputRig& r) {
             r->setCancel(true);
             r->setCaption(QStringLiteral("&Open"));
             r->accessKeyPress(27);
             r->accessKeyPress('o');
             r->accessKeyPress('x');
         },
         {"Click(0,0,0,0)", "Click(0,0,0,0)"}},
    };
    for (const Script& s : scripts) {
        SCOPED_TRACE(s.what);
        InputRig rig;
        s.act(rig);
        EXPECT_EQ(rig.rec.log, s.log);
    }
}

TEST(Input, PressStopsTheHoverTimerAndShowsThePushedLook) {
    InputRig rig;
    rig->setAppearance(zkButton::zbaFlat);
    rig.tickAt(2, 3);
    EXPECT_EQ(rig->hoverState(), 1);
    EXPECT_EQ(rig.px(0, 0), kHighlight); // flat raised while hovered
    rig.space(QEvent::KeyPress);
    EXPECT_TRUE(rig->isPressed());
    EXPECT_FALSE(rig->isHoverTimerEnabled());
    EXPECT_EQ(rig.px(0, 0), kShadow);
    rig.space(QEvent::KeyRelease);
    EXPECT_FALSE(rig->isPressed());
    EXPECT_TRUE(rig->isHoverTimerEnabled());
    rig.tickAt(100, 3);
    EXPECT_EQ(rig.px(0, 0), kBack);
    rig->setScaleMode(zkButton::vbTwips); // ticks convert to the scale mode
    rig.tickAt(2, 3);
    EXPECT_EQ(rig.rec.log.last(), QStringLiteral("MouseIn(0,0,30,45)"));
}

TEST(Input, CheckStyleTogglesAfterMouseUpBeforeClick) {
    InputRig rig;
    rig->setButtonStyle(zkButton::zbbCheck);
    QList<int> valueAt;
    const auto record = [&](int&, int&, int&, int&) { valueAt.append(rig->value()); };
    QObject::connect(rig.button.get(), &zkButton::MouseUp, record);
    QObject::connect(rig.button.get(), &zkButton::Click, record);
    for (int i = 0; i < 2; ++i) {
        press(rig.button.get(), {3, 3});
        release(rig.button.get(), {3, 3});
    }
    EXPECT_EQ(valueAt, (QList<int>{0, 1, 1, 0}));
}

TEST(Input, AccessKeyClickHandsOverTheRecordedFieldsWithoutPressLook) {
    InputRig rig;
    rig->setScaleMode(zkButton::vbTwips);
    rig->setCaption(QStringLiteral("&Go"));
    move(rig.button.get(), {4, 6}, Qt::NoButton);
    const QImage before = rig->visibleSurface();
    int seenX = 0;
    QObject::connect(rig.button.get(), &zkButton::Click, [&](int&, int&, int& x, int& y) {
        seenX = x; // surface pixels, not twips
        x = 33;    // written back into the button's LastX
        y = 44;
    });
    rig->accessKeyPress('G');
    EXPECT_EQ(seenX, 4);
    EXPECT_EQ(rig->visibleSurface(), before);
    rig.space(QEvent::KeyPress);
    rig.space(QEvent::KeyRelease);
    EXPECT_TRUE(rig.rec.log.contains(QStringLiteral("Click(0,0,495,660)"))); // 33, 44 px
}

TEST(OptionGroup, OnlyTheClickedOptionOfItsContainerStaysOn) {
    QWidget window;
    QWidget* frames[] = {new QWidget(&window), new QWidget(&window)};
    std::vector<zkButton*> b;
    for (int i = 0; i < 4; ++i) {
        b.push_back(new zkButton(frames[i / 2]));
        b.back()->resize(20, 10);
        b.back()->setButtonStyle(zkButton::zbbOption);
    }
    auto* plain = new zkButton(frames[0]); // a button of style Button is left alone
    plain->setValue(zkButton::zbvOn);
    const auto clickOn = [](zkButton* button) {
        press(button, {2, 2});
        release(button, {2, 2});
    };
    clickOn(b[0]);
    clickOn(b[1]);
    clickOn(b[1]); // already on: stays on
    clickOn(b[3]);
    const QList<int> values{b[0]->value(), b[1]->value(), b[2]->value(), b[3]->value(),
                            plain->value()};
    EXPECT_EQ(values, (QList<int>{0, 1, 0, 1, 1}));
    b[0]->setValue(zkButton::zbvOn); // from code: no clearing
    EXPECT_EQ(b[1]->value(), zkButton::zbvOn);
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
