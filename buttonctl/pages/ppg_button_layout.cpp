// The editors of ppgButton and how user actions reach it.
#include "ppg_button.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Lets only the digits and Backspace into the margin box; other characters are dropped.
class DigitsOnly final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool character = !text.isEmpty() && text.at(0) != QChar(0x7F);
            const bool digit = text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9';
            if (character && !digit && key->key() != Qt::Key_Backspace)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void ppgButton::addCombo(const char* editor, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(editor));
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    const QString name = combo->objectName();
    connect(combo, &QComboBox::activated, this, [this, name] { userChanged(name); });
    m_combos.insert(name, combo);
}

void ppgButton::addCheck(const char* editor, const QString& caption) {
    auto* check = new zkGreyCheckBox(caption, this);
    check->setObjectName(QLatin1String(editor));
    const QString name = check->objectName();
    connect(check, &QCheckBox::clicked, this, [this, name] {
        userChanged(name);
        if (name == QLatin1String("chkShowFocusRect"))
            updateMarginEnabling();
    });
    m_checks.insert(name, check);
}

void ppgButton::buildMarginBox() {
    m_marginFrame = new QLabel(this);
    m_marginFrame->setObjectName(QStringLiteral("lblFocusRectMarginFrame"));
    m_marginFrame->setAutoFillBackground(true);
    m_margin = new QLineEdit(QStringLiteral("0"), m_marginFrame);
    m_margin->setObjectName(QStringLiteral("txtFocusRectMargin"));
    m_margin->installEventFilter(new DigitsOnly(m_margin));
    m_margin->setFixedWidth(36);
    m_spin = new QScrollBar(Qt::Vertical, m_marginFrame);
    m_spin->setObjectName(QStringLiteral("vscFocusRectMargin"));
    m_spin->setRange(0, 8);
    m_spin->setSingleStep(1);
    m_spin->setPageStep(1);
    m_spin->setValue(8);
    m_spin->setFixedWidth(16);
    auto* row = new QHBoxLayout(m_marginFrame);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_margin);
    row->addWidget(m_spin);
    m_marginLabel = labelFor(QStringLiteral("マージン(&S) :"), m_margin, this);
    m_marginLabel->setObjectName(QStringLiteral("lblFocusRectMargin"));
    connect(m_margin, &QLineEdit::textChanged, this, &ppgButton::marginTextChanged);
    // Typing into the box is a change the host must offer to apply, even when the number
    // typed leaves the spin bar where it was.
    connect(m_margin, &QLineEdit::textEdited, this, [this] { setChanged(true); });
    connect(m_spin, &QScrollBar::valueChanged, this, &ppgButton::spinChanged);
}

void ppgButton::buildEditors() {
    addCombo("cboAppearance", {QStringLiteral("0 - フラット表示"), QStringLiteral("1 - 3D表示")});
    addCombo("cboCaptionAlign",
             {QStringLiteral("0 - 左上隅に配置"), QStringLiteral("1 - 上端中央に配置"),
              QStringLiteral("2 - 右上隅に配置"), QStringLiteral("3 - 左端中央に配置"),
              QStringLiteral("4 - 中央に配置"), QStringLiteral("5 - 右端中央に配置"),
              QStringLiteral("6 - 左下隅に配置"), QStringLiteral("7 - 下端中央に配置"),
              QStringLiteral("8 - 右下隅に配置")});
    addCombo("cboPictureAlign",
             {QStringLiteral(" 0 - 左上隅"), QStringLiteral(" 1 - 上端中央"),
              QStringLiteral(" 2 - 右上隅"), QStringLiteral(" 3 - 左端中央"),
              QStringLiteral(" 4 - 中央"), QStringLiteral(" 5 - 右端中央"),
              QStringLiteral(" 6 - 左下"), QStringLiteral(" 7 - 下端中央"),
              QStringLiteral(" 8 - 右下"), QStringLiteral(" 9 - キャプションの上"),
              QStringLiteral("10 - キャプションの左"), QStringLiteral("11 - キャプションの右"),
              QStringLiteral("12 - キャプションの下")});
    addCombo("cboStyle", {QStringLiteral("0 - ボタン"), QStringLiteral("1 - チェックボックス"),
                          QStringLiteral("2 - オプションボタン")});
    addCombo("cboValue", {QStringLiteral("0 - オフ"), QStringLiteral("1 - オン")});
    m_caption = new QLineEdit(this);
    m_caption->setObjectName(QStringLiteral("txtCaption"));
    connect(m_caption, &QLineEdit::textEdited, this,
            [this] { userChanged(m_caption->objectName()); });
    addCheck("chkShowFocusRect", QStringLiteral("フォーカス枠の表示(&S)"));
    addCheck("chkCancel", QStringLiteral("キャンセルボタン(&S)"));
    addCheck("chkDefault", QStringLiteral("デフォルトボタン(&S)"));
    addCheck("chkEnabled", QStringLiteral("有効(&S)"));
    addCheck("chkOwnerDraw", QStringLiteral("オーナードロー(&S)"));
    addCheck("chkUseMaskColor", QStringLiteral("マスクカラーを使用(&S)"));
    buildMarginBox();

    auto* left = new QVBoxLayout;
    const auto combo = [this](const char* name) { return m_combos.value(QLatin1String(name)); };
    left->addWidget(labelFor(QStringLiteral("描画スタイル(&S) :"), combo("cboAppearance"), this));
    left->addWidget(combo("cboAppearance"));
    left->addWidget(labelFor(QStringLiteral("キャプション(&S) :"), m_caption, this));
    left->addWidget(m_caption);
    left->addWidget(combo("cboCaptionAlign"));
    left->addWidget(labelFor(QStringLiteral("ピクチャ(&S) :"), combo("cboPictureAlign"), this));
    left->addWidget(combo("cboPictureAlign"));
    left->addWidget(labelFor(QStringLiteral("スタイル(&S) :"), combo("cboStyle"), this));
    left->addWidget(combo("cboStyle"));
    left->addWidget(labelFor(QStringLiteral("値(&S) :"), combo("cboValue"), this));
    left->addWidget(combo("cboValue"));
    left->addStretch();

    auto* right = new QVBoxLayout;
    const auto check = [this](const char* name) { return m_checks.value(QLatin1String(name)); };
    right->addWidget(check("chkShowFocusRect"));
    auto* marginRow = new QHBoxLayout;
    marginRow->setContentsMargins(20, 0, 0, 0);
    marginRow->addWidget(m_marginLabel);
    marginRow->addWidget(m_marginFrame);
    marginRow->addStretch();
    right->addLayout(marginRow);
    for (const char* name :
         {"chkCancel", "chkDefault", "chkEnabled", "chkOwnerDraw", "chkUseMaskColor"})
        right->addWidget(check(name));
    right->addStretch();

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 3);
    columns->addSpacing(12);
    columns->addLayout(right, 2);
    updateMarginEnabling();
}
