#pragma once
// Helpers of the property-page tests: buttons to select, answered dialogs, user actions.
#include "zk_page_services.h"
#include "zkbutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>
#include <memory>

namespace zk::test {

// A window holding two zkButtons; the selection handed to a page.
class ButtonSet {
public:
    ButtonSet() {
        for (int i = 0; i < 2; ++i) {
            m_buttons[i] = new zkButton(&m_window);
            m_buttons[i]->setObjectName(QStringLiteral("zkButton%1").arg(i + 1));
            m_buttons[i]->InitProperties();
            m_buttons[i]->setGeometry(10 + 90 * i, 10, 80, 30);
        }
    }
    zkButton* operator[](int i) const { return m_buttons[i]; }
    void both(const char* property, const QVariant& a, const QVariant& b) {
        m_buttons[0]->setProperty(property, a);
        m_buttons[1]->setProperty(property, b);
    }
    QList<QObject*> selection() const { return {m_buttons[0], m_buttons[1]}; }
    // Every property name each button announced, in order: "<button>:<property>".
    QStringList& record() {
        for (zkButton* b : m_buttons)
            QObject::connect(b, &zkButton::PropertyChanged, &m_window, [this, b](const QString& n) {
                m_record << b->objectName() + QLatin1Char(':') + n;
            });
        return m_record;
    }

private:
    QWidget m_window;
    zkButton* m_buttons[2]{};
    QStringList m_record;
};

// Dialogs answered with `answer`, counting their calls.
struct FakeOpenFile final : zkOpenFileDialog {
    std::optional<QString> answer;
    int calls = 0;
    std::optional<QString> openFile(QWidget*, const QList<zkFileFilter>&) override {
        ++calls;
        return answer;
    }
};

struct FakeColorDialog final : zkColorDialog {
    std::optional<quint32> answer;
    int calls = 0;
    quint32 initial = 0;
    unsigned flags = 0;
    std::optional<quint32> chooseColor(QWidget*, quint32 init, unsigned f,
                                       zkCustomColors& custom) override {
        ++calls;
        initial = init;
        flags = f;
        custom[0] = 0x112233; // what a user leaves in the dialog's custom colours
        return answer;
    }
};

struct FakeFontList final : zkFontList {
    QStringList families() const override {
        return {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                QStringLiteral("IPAPGothic")};
    }
};

struct Fakes {
    std::shared_ptr<FakeOpenFile> openFile = std::make_shared<FakeOpenFile>();
    std::shared_ptr<FakeColorDialog> colorDialog = std::make_shared<FakeColorDialog>();
    zkPageServices services() const {
        return {{}, openFile, colorDialog, std::make_shared<FakeFontList>()};
    }
};

template <typename T> T* child(QWidget* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no child " + name.toStdString());
    return found;
}

// A page made with the fake services and shown.
template <typename Page> struct PageRig {
    ButtonSet buttons;
    Fakes fakes;
    std::unique_ptr<Page> page = std::make_unique<Page>(fakes.services());
    PageRig() {
        page->resize(480, 320);
        page->show();
    }
    bool select() { return !page->selectionChanged(buttons.selection()).failed(); }
    bool apply() { return !page->applyChanges().failed(); }
    template <typename T> T* get(const QString& name) const { return child<T>(page.get(), name); }
};

// A drop-down choice made with the keyboard, as a user would (Home, then Down).
inline void chooseItem(QComboBox* combo, int index) {
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

// A check box takes clicks only on its box and caption, so it is clicked on its box.
inline void click(QAbstractButton* button) {
    QPoint where = button->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        QStyleOptionButton option;
        option.initFrom(box);
        where = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, text);
}

} // namespace zk::test
