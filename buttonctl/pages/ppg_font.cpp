#include "ppg_font.h"

#include "zk_font.h"
#include "zk_property_access.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace {
constexpr const char* kStyleAttributes[] = {"Bold", "Italic", "Underline", "Strikethrough"};
constexpr const char* kAttributes[] = {"Name",   "Size",      "Bold",
                                       "Italic", "Underline", "Strikethrough"};
constexpr int kMaxFontSize = 1638;

QString styleEditor(int index) {
    return QStringLiteral("chkStyle%1").arg(index);
}
} // namespace

namespace zk::pages {
std::optional<int> parseFontSize(const QString& text) {
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(size))
        return std::nullopt;
    const double whole = std::nearbyint(size);
    if (whole < 1 || whole > kMaxFontSize)
        return std::nullopt;
    return static_cast<int>(whole);
}
} // namespace zk::pages

ppgFont::ppgFont(zkPageServices services, QWidget* parent)
    : zkPropertyPage(std::move(services), parent) {
    setObjectName(QStringLiteral("ppgFont"));
    build();
    initialise();
}

QString ppgFont::title() const {
    return QStringLiteral("フォント");
}

void ppgFont::build() {
    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("cboFont"));
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("cboFontSize"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    auto* fontLabel = new QLabel(QStringLiteral("フォント(&F) :"), this);
    fontLabel->setBuddy(m_font);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S) :"), this);
    sizeLabel->setBuddy(m_size);

    auto* styleFrame = new QGroupBox(QStringLiteral("スタイル"), this);
    auto* styleGrid = new QGridLayout(styleFrame);
    const QString captions[] = {QStringLiteral("太字(&B)"), QStringLiteral("斜体(&I)"),
                                QStringLiteral("下線(&U)"), QStringLiteral("取消線(&T)")};
    for (int i = 0; i < 4; ++i) {
        m_styles[size_t(i)] = new zkGreyCheckBox(captions[i], styleFrame);
        m_styles[size_t(i)]->setObjectName(styleEditor(i));
        styleGrid->addWidget(m_styles[size_t(i)], i / 2, i % 2);
        connect(m_styles[size_t(i)], &QCheckBox::clicked, this, [this, i] { styleClicked(i); });
    }

    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("txtPreview"));
    m_preview->setMinimumHeight(56);
    auto* previewLabel = new QLabel(QStringLiteral("テスト(入力できます) :"), this);
    previewLabel->setBuddy(m_preview);

    auto* grid = new QGridLayout(this);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_font, 1, 0);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(styleFrame, 2, 0, 1, 2);
    grid->addWidget(previewLabel, 3, 0, 1, 2);
    grid->addWidget(m_preview, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);

    connect(m_font, &QComboBox::activated, this, &ppgFont::fontChosen);
    connect(m_size, &QComboBox::activated, this, &ppgFont::sizeChanged);
    connect(m_size, &QComboBox::editTextChanged, this, &ppgFont::sizeChanged);
}

void ppgFont::initialise() {
    m_font->clear();
    m_font->addItems(services().fonts->families());
    m_font->setCurrentIndex(-1);
    m_previewInit = true;
}

void ppgFont::fontChosen() {
    // A name the platform cannot use (or no entry) leaves the preview as it is.
    const QString name = m_font->currentText();
    if (!name.isEmpty()) {
        QFont f = m_preview->font();
        f.setFamily(name);
        m_preview->setFont(f);
    }
    m_marks.touch(m_font->objectName());
    setChanged(true);
}

void ppgFont::sizeChanged() {
    if (const std::optional<int> size = zk::pages::parseFontSize(m_size->currentText())) {
        QFont f = m_preview->font();
        f.setPointSize(*size);
        m_preview->setFont(f);
    }
    m_marks.touch(m_size->objectName());
    setChanged(true);
}

void ppgFont::styleClicked(int index) {
    QFont f = m_preview->font();
    const bool on = m_styles[size_t(index)]->isOn();
    switch (index) {
    case 0:
        f.setBold(on);
        break;
    case 1:
        f.setItalic(on);
        break;
    case 2:
        f.setUnderline(on);
        break;
    default:
        f.setStrikeOut(on);
        break;
    }
    m_preview->setFont(f);
    m_marks.touch(styleEditor(index));
    setChanged(true);
}

zkHostError ppgFont::fontsOfSelection(QList<QObject*>& buttons, QList<QObject*>& fonts) const {
    fonts.clear();
    if (zkHostError e = liveSelection(buttons); e.failed())
        return e;
    for (QObject* b : buttons) {
        const auto read = zk::pages::readProperty(b, "Font");
        if (read.error.failed())
            return read.error;
        const zkFontRef font = read.value.value<zkFontRef>();
        if (!font)
            return zk::pages::noObject();
        fonts << font.data();
    }
    return {};
}

zkHostError ppgFont::selectionChanged(const QList<QObject*>& objects) {
    if (zkHostError e = takeSelection(objects); e.failed())
        return e;
    QList<QObject*> buttons;
    QList<QObject*> fonts;
    if (zkHostError e = fontsOfSelection(buttons, fonts); e.failed())
        return e;
    const zk::pages::SelectionValues read =
        zk::pages::readSelection(fonts, {kAttributes[0], kAttributes[1], kAttributes[2],
                                         kAttributes[3], kAttributes[4], kAttributes[5]});
    if (read.error.failed())
        return read.error;
    if (m_previewInit) {
        const auto caption = zk::pages::readProperty(buttons.first(), "Caption");
        if (caption.error.failed())
            return caption.error;
        m_preview->setText(caption.value.toString());
    }
    // Each editor is set and its change handling run, as a user's change would.
    const QString name = read.first[0].toString();
    m_font->setCurrentIndex(
        read.agree[0] ? m_font->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1);
    fontChosen();
    const int size = static_cast<int>(std::nearbyint(read.first[1].toDouble()));
    m_size->setEditText(read.agree[1] ? QString::number(size) : QString());
    sizeChanged();
    for (int i = 0; i < 4; ++i) {
        const bool agree = read.agree[size_t(i) + 2];
        m_styles[size_t(i)]->setState(agree ? (read.first[i + 2].toBool() ? 1 : 0) : 2);
        styleClicked(i);
    }
    m_marks.setAgreement(m_font->objectName(), read.agree[0]);
    m_marks.setAgreement(m_size->objectName(), read.agree[1]);
    for (int i = 0; i < 4; ++i)
        m_marks.setAgreement(styleEditor(i), read.agree[size_t(i) + 2]);
    setChanged(false);
    return {};
}

zkHostError ppgFont::writeToFonts(const QList<QObject*>& fonts, const char* name,
                                  const QVariant& v) {
    for (QObject* f : fonts) {
        if (!f->setProperty(name, v))
            return zk::pages::noProperty(name);
    }
    return {};
}

zkHostError ppgFont::applyChanges() {
    QList<QObject*> buttons;
    QList<QObject*> fonts;
    if (zkHostError e = fontsOfSelection(buttons, fonts); e.failed())
        return e;
    if (m_marks.isTouched(m_font->objectName()) && m_font->currentIndex() >= 0) {
        if (zkHostError e = writeToFonts(fonts, "Name", m_font->currentText()); e.failed())
            return e;
    }
    if (m_marks.isTouched(m_size->objectName())) {
        // A size box without a usable number writes no size.
        if (const std::optional<int> size = zk::pages::parseFontSize(m_size->currentText())) {
            if (zkHostError e = writeToFonts(fonts, "Size", double(*size)); e.failed())
                return e;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (!m_marks.isTouched(styleEditor(i)))
            continue;
        const bool on = m_styles[size_t(i)]->isOn();
        if (zkHostError e = writeToFonts(fonts, kStyleAttributes[i], on); e.failed())
            return e;
    }
    // Changing a font object in place does not redraw its buttons; a Caption does.
    for (QObject* b : buttons) {
        const auto caption = zk::pages::readProperty(b, "Caption");
        if (caption.error.failed())
            return caption.error;
        if (!services().writer->write(b, "Caption", caption.value))
            return zk::pages::noProperty("Caption");
    }
    setChanged(false);
    return {};
}
