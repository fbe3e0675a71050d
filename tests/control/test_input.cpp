// Event sequences of the button with a driven cursor and timer ticks.
#include "button_fixture.h"

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
    // Plays steps such as "p5,5 r5,5": t tick, p/r left press/release, m move holding it,
    // P/R/M the same with the right button, h move with none, f/F focus in/out, s/S space
    // down/up, k access key (a character code).
    void play(const QString& steps) {
        zkButton* b = w();
        const QString mice = QStringLiteral("prmPRM  h"); // left, right, no button
        const QEvent::Type kinds[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseMove};
        const Qt::MouseButton held[] = {Qt::LeftButton, Qt::RightButton, Qt::NoButton};
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList n = step.mid(1).split(u',');
            const QPointF p(n[0].toDouble(), n.value(1).toDouble());
            const QChar c = step[0];
            if (const qsizetype m = mice.indexOf(c); m >= 0) {
                mouse(b, kinds[m % 3], p, held[m / 3]);
            } else if (c == u't') {
                cursor->pos = b->mapToGlobal(p.toPoint());
                b->hoverTick();
            } else if (c == u'f' || c == u'F') {
                focus(b, c == u'f');
            } else if (c == u's' || c == u'S') {
                key(b, c == u's' ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Space,
                    QStringLiteral(" "));
            } else {
                b->accessKeyPress(n[0].toInt());
            }
        }
    }
};

TEST(Input, EventSequences) {
    struct Script {
        const char* what;
        std::function<void(InputRig&)> setUp;
        const char* steps;
        const char* log;
    };
    const Script scripts[] = {
        {"first tick after loading reports, later only changes; the right edge is outside",
         {},
         "t-5,3 t-6,3 t39,19 t40,19",
         "MouseOut(0,0,-5,3) MouseIn(0,0,39,19) MouseOut(0,0,40,19)"},
        {"disabled: no hover events", [](InputRig& r) { r->setButtonEnabled(false); }, "t5,5 t-5,5",
         ""},
        {"right button only moves", {}, "P5,5 M6,5 R6,5", "MouseMove(2,0,6,5)"},
        {"click inside, positions rounded half to even",
         {},
         "p5.5,4.5 r6,4",
         "MouseDown(1,0,6,4) MouseUp(1,0,6,4) Click(1,0,6,4)"},
        {"handlers get copies",
         [](InputRig& r) {
             QObject::connect(r.w(), &zkButton::MouseDown, [](int& b, int&, int& x, int&) {
                 b = 9;
                 x = 99;
             });
         },
         "p5,5 r5,5", "MouseDown(1,0,5,5) MouseUp(1,0,5,5) Click(1,0,5,5)"},
        {"drag out and release: no click",
         {},
         "p5,5 m10,5 m50,5 r50,5",
         "MouseDown(1,0,5,5) MouseIn(1,0,10,5) MouseMove(1,0,10,5) MouseOut(1,0,50,5) "
         "MouseMove(1,0,50,5) MouseUp(1,0,50,5)"},
        {"space clicks with the last mouse position, before KeyUp",
         {},
         "h7,8 s S",
         "MouseMove(0,0,7,8) KeyDown(32,0) KeyPress(32) Click(0,0,7,8) KeyUp(32,0)"},
        {"losing the focus cancels a space press",
         {},
         "f s F S",
         "KeyDown(32,0) KeyPress(32) KeyUp(32,0)"},
        {"key codes, and characters only for keys that type",
         [](InputRig& r) {
             key(r.w(), QEvent::KeyPress, Qt::Key_A, QStringLiteral("a"));
             key(r.w(), QEvent::KeyPress, Qt::Key_Left);
             key(r.w(), QEvent::KeyPress, Qt::Key_F2);
             EXPECT_FALSE(r->isPressed()); // only space presses
         },
         "", "KeyDown(65,0) KeyPress(97) KeyDown(37,0) KeyDown(113,0)"},
        {"Enter clicks a Default button", [](InputRig& r) { r->setDefault(true); }, "h4,6 k13",
         "MouseMove(0,0,4,6) Click(0,0,4,6)"},
        {"Enter clicks no other button", {}, "k13", ""},
        {"Esc with Cancel and the access key in either case",
         [](InputRig& r) {
             r->setCancel(true);
             r->setCaption(QStringLiteral("&Open"));
         },
         "k27 k111 k120", "Click(0,0,0,0) Click(0,0,0,0)"},
    };
    for (const Script& s : scripts) {
        SCOPED_TRACE(s.what);
        InputRig rig;
        if (s.setUp)
            s.setUp(rig);
        rig.play(QLatin1String(s.steps));
        EXPECT_EQ(rig.rec.log, QString::fromLatin1(s.log).split(u' ', Qt::SkipEmptyParts));
    }
}

TEST(Input, PressStopsTheHoverTimerAndTicksConvertToTheScaleMode) {
    InputRig rig;
    rig.play(QStringLiteral("s"));
    EXPECT_FALSE(rig->isHoverTimerEnabled());
    rig.play(QStringLiteral("S"));
    EXPECT_TRUE(rig->isHoverTimerEnabled());
    rig->setScaleMode(zkButton::vbTwips);
    rig.play(QStringLiteral("t2,3"));
    EXPECT_EQ(rig.rec.log.last(), QStringLiteral("MouseIn(0,0,30,45)"));
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

} // namespace
