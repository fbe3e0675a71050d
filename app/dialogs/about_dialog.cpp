#include "about_dialog.h"

#include "dialog_geometry.h"
#include "dialog_widgets.h"
#include "etched_rule.h"
#include "system_info.h"

#include <QLabel>
#include <QPushButton>

namespace folivo {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const char16_t* text,
                  const QRect& geometry) {
    auto* label = Place(new QLabel(QString::fromUtf16(text), parent), name, geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

QString AboutCaption(const QString& title) {
    return QStringLiteral("[ ") + title + QString::fromUtf16(u" ] のﾊﾞｰｼﾞｮﾝ情報");
}

QString VersionText(int major, int minor, int revision) {
    return QStringLiteral("Version : %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProgramVersionText() {
    return VersionText(FOLIVO_VERSION_MAJOR, FOLIVO_VERSION_MINOR, FOLIVO_VERSION_PATCH);
}

QString AboutDescription() {
    return QString::fromUtf16(u"［アプリケーションの説明］\n\n"
                              u"書籍、パンフレット、カタログ、技術書など、あらゆる紙文書を"
                              u"スキャナーで読み込みPDFファイル（BMP,JPEGも可能）に変換する"
                              u"ソフトウェアです。");
}

frmAbout::frmAbout(std::shared_ptr<Registry> registry, std::shared_ptr<ProcessLauncher> launcher,
                   MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_registry(std::move(registry)), m_launcher(std::move(launcher)), m_messages(messages) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QString::fromUtf16(u"ﾊﾞｰｼﾞｮﾝ情報"));
    build();
    // Opening order: caption, version, title, description.
    const QString title = QString::fromUtf16(kProgramTitle);
    setWindowTitle(AboutCaption(title));
    findChild<QLabel*>(QStringLiteral("lblVersion"))->setText(ProgramVersionText());
    findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(title);
    findChild<QLabel*>(QStringLiteral("lblDescription"))->setText(AboutDescription());
}

void frmAbout::build() {
    const double dpi = DialogDpi(parentWidget());
    SetInnerTwips(this, 6300, 2640, dpi);
    if (parentWidget())
        setWindowIcon(parentWidget()->windowIcon());

    auto* icon =
        MakeLabel(this, QStringLiteral("picIcon"), u"", TwipsRect(240, 240, 540, 540, dpi));
    icon->setPixmap(windowIcon().pixmap(icon->size()));

    auto* title = MakeLabel(this, QStringLiteral("lblTitle"), u"ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ",
                            TwipsRect(1050, 240, 5085, 360, dpi));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    MakeLabel(this, QStringLiteral("lblVersion"), u"ﾊﾞｰｼﾞｮﾝ", TwipsRect(1050, 600, 5085, 225, dpi));
    MakeLabel(this, QStringLiteral("lblDescription"), u"ｱﾌﾟﾘｹｰｼｮﾝの説明",
              TwipsRect(1080, 960, 5085, 930, dpi))
        ->setWordWrap(true);

    const QRect grey = TwipsRect(0, 1965, 6240, 15, dpi);
    const QRect white = TwipsRect(0, 1980, 6240, 15, dpi);
    auto* rule = new EtchedRule(grey.width(), white.top() - grey.top(), this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->move(grey.topLeft());

    // Made first so that it comes first in the tab order and holds the focus.
    auto* ok =
        MakeButton(this, QStringLiteral("cmdOK"), u"閉じる", TwipsRect(4800, 2160, 1455, 375, dpi));
    ok->setDefault(true);
    ok->setFocus();
    auto* sysInfo = MakeButton(this, QStringLiteral("cmdSysInfo"), u"ｼｽﾃﾑ情報(&S)...",
                               TwipsRect(3240, 2160, 1455, 375, dpi));

    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this,
            [this] { LaunchSystemInfo(*m_registry, *m_launcher, m_messages); });
}

} // namespace folivo
