// Event sequences of the button with a driven cursor and timer ticks.
#include "button_fixture.h"

#include <QMimeData>
#include <functional>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

// Records every event as "Name(args)".
struct Recorder {
    QStringList log;
    template <typename... A> auto note(const char* name) {
        return [this, name](A&... a) {
            QStringList args;
            ((args << QString::number(a)), ...);
            log << QStringLiteral("%1(%2)").arg(QLatin1String(name), args.join(u','));
        };
    }
    explicit Recorder(zkButton* b) {
        using MouseSignal = void (zkButton::*)(int&, int&, int&, int&);
        const std::pair<MouseSignal, const char*> mice[] = {
            {&zkButton::Click, "Click"},     {&zkButton::MouseDown, "MouseDown"},
            {&zkButton::MouseUp, "MouseUp"}, {&zkButton::MouseMove, "MouseMove"},
            {&zkButton::MouseIn, "MouseIn"}, {&zkButton::MouseOut, "MouseOut"}};
        for (const auto& [signal, name] : mice)
            QObject::connect(b, signal, note<int, int, int, int>(name));
        QObject::connect(b, &zkButton::KeyDown, note<int, int>("KeyDown"));
        QObject::connect(b, &zkButton::KeyUp, note<int, int>("KeyUp"));
        QObject::connect(b, &zkButton::KeyPress, note<int>("KeyPress"));
    }
};

// A loaded button (hover unknown, timer on) measuring in pixels.
struct InputRig : Rig {
    Recorder rec{button.get()};
    InputRig() {
        zkMemoryPropertyBag empty;
        button->ReadProperties(empty);
        button->setScaleMode(zkButton::vbPixels);
    }
    zkButton* w() const { return button.get(); }
    void tickAt(int x, int y) {
        cursor->pos = button->mapToGlobal(QPoint(x, y));
        button->hoverTick();
    }
    void move(QPointF pos, Qt::MouseButton held = Qt::LeftButton) {
        mouse(w(), QEvent::MouseMove, pos, held);
    }
    void space(QEvent::Type type) { key(w(), type, Qt::Key_Space, QStringLiteral(" ")); }
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
             press(r.w(), {5, 5}, Qt::RightButton);
             r.move({6, 5}, Qt::RightButton);
             mouse(r.w(), QEvent::MouseButtonRelease, {6, 5}, Qt::RightButton);
         },
         {"MouseMove(2,0,6,5)"}},
        {"click inside, positions rounded half to even",
         [](InputRig& r) {
             press(r.w(), {5.5, 4.5});
             mouse(r.w(), QEvent::MouseButtonRelease, {6, 4});
         },
         {"MouseDown(1,0,6,4)", "MouseUp(1,0,6,4)", "Click(1,0,6,4)"}},
        {"handlers get copies",
         [](InputRig& r) {
             QObject::connect(r.w(), &zkButton::MouseDown, [](int& b, int&, int& x, int&) {
                 b = 9;
                 x = 99;
             });
             clickAt(r.w(), {5, 5});
         },
         {"MouseDown(1,0,5,5)", "MouseUp(1,0,5,5)", "Click(1,0,5,5)"}},
        {"drag out and release: no click",
         [](InputRig& r) {
             press(r.w(), {5, 5});
             r.move({10, 5});
             r.move({50, 5});
             mouse(r.w(), QEvent::MouseButtonRelease, {50, 5});
         },
         {"MouseDown(1,0,5,5)", "MouseIn(1,0,10,5)", "MouseMove(1,0,10,5)", "MouseOut(1,0,50,5)",
          "MouseMove(1,0,50,5)", "MouseUp(1,0,50,5)"}},
        {"space clicks with the last mouse position, before KeyUp",
         [](InputRig& r) {
             r.move({7, 8}, Qt::NoButton);
             r.space(QEvent::KeyPress);
             r.space(QEvent::KeyRelease);
         },
         {"MouseMove(0,0,7,8)", "KeyDown(32,0)", "KeyPress(32)", "Click(0,0,7,8)", "KeyUp(32,0)"}},
        {"losing the focus cancels a space press",
         [](InputRig& r) {
             focus(r.w(), true);
             r.space(QEvent::KeyPress);
             focus(r.w(), false);
             r.space(QEvent::KeyRelease);
         },
         {"KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)"}},
        {"key codes, and characters only for keys that type",
         [](InputRig& r) {
             key(r.w(), QEvent::KeyPress, Qt::Key_A, QStringLiteral("a"));
             key(r.w(), QEvent::KeyPress, Qt::Key_Left);
             key(r.w(), QEvent::KeyPress, Qt::Key_F2);
             EXPECT_FALSE(r->isPressed()); // only space presses
         },
         {"KeyDown(65,0)", "KeyPress(97)", "KeyDown(37,0)", "KeyDown(113,0)"}},
        {"Enter clicks only a Default button",
         [](InputRig& r) {
             r->setDefault(true);
             r.move({4, 6}, Qt::NoButton);
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
    EXPECT_EQ(rig.px(0, 0), kHighlight); // flat raised while hovered
    rig.space(QEvent::KeyPress);
    EXPECT_FALSE(rig->isHoverTimerEnabled());
    EXPECT_EQ(rig.px(0, 0), kShadow);
    rig.space(QEvent::KeyRelease);
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
    QObject::connect(rig.w(), &zkButton::MouseUp, record);
    QObject::connect(rig.w(), &zkButton::Click, record);
    clickAt(rig.w(), {3, 3});
    clickAt(rig.w(), {3, 3});
    EXPECT_EQ(valueAt, (QList<int>{0, 1, 1, 0}));
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
    for (int i : {0, 1, 1, 3}) // clicking an option that is on leaves it on
        clickAt(b[size_t(i)], {2, 2});
    const QList<int> values{b[0]->value(), b[1]->value(), b[2]->value(), b[3]->value(),
                            plain->value()};
    EXPECT_EQ(values, (QList<int>{0, 1, 0, 1, 1}));
    b[0]->setValue(zkButton::zbvOn); // from code: no clearing
    EXPECT_EQ(b[1]->value(), zkButton::zbvOn);
}

TEST(Drag, DropRaisesDragDropWithConvertedPosition) {
    InputRig rig;
    rig->setOleDropMode(zkButton::zboManual);
    QStringList seen;
    QObject::connect(rig.w(), &zkButton::OLEDragDrop,
                     [&](const QMimeData* data, int& effect, int&, int&, int& x, int&) {
                         seen << data->text() << QString::number(x) << QString::number(effect);
                         effect = 0; // refuse
                     });
    QMimeData mime;
    mime.setText(QStringLiteral("x"));
    QDragEnterEvent enter(QPoint(7, 3), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.w(), &enter);
    QDropEvent drop(QPointF(7, 3), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.w(), &drop);
    EXPECT_EQ(seen, QStringList({"x", "7", "1"}));
    EXPECT_FALSE(drop.isAccepted());
}

} // namespace
