#include "zkbutton.h"
#include "zkbutton_p.h"

#include "zk_accessible.h"
#include "zk_geometry.h"
#include "zk_library.h"
#include "zk_mnemonic.h"
#include "zk_scale.h"
#include "zk_window_keys.h"

#include <QAtomicInt>
#include <QCursor>
#include <QKeySequence>
#include <QShortcut>
#include <QTimer>
#include <cmath>

namespace {
class SystemCursor : public zkCursorSource {
public:
    QPoint cursorPos() const override { return QCursor::pos(); }
};

int nextWindowHandle() {
    static QAtomicInt counter(0x100);
    return counter.fetchAndAddRelaxed(1) + 1;
}
} // namespace

zkButton::zkButton(QWidget* parent, std::shared_ptr<zkAmbientHost> host)
    : QWidget(parent), d(std::make_unique<zkButtonPrivate>(this)) {
    d->host = host ? std::move(host) : std::make_shared<zkWidgetAmbientHost>(this);
    d->cursor = std::make_shared<SystemCursor>();
    d->handle = nextWindowHandle();
    zk::objectCreated();
    zk::installAccessibleFactory(&zkButton::accessibleInterface);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    d->timer = new QTimer(this);
    d->timer->setInterval(100);
    connect(d->timer, &QTimer::timeout, this, &zkButton::hoverTick);
    d->canvas.bufferFont = font();
    d->canvas.bufferFont.setStyleStrategy(QFont::NoAntialias);
    d->canvas.buffer = QImage(size(), QImage::Format_RGB32);
    d->canvas.surface = d->canvas.buffer;
    // A host that fails InitProperties part way still leaves defined values after the
    // failing key: the constant ones are in place before the host is asked.
    for (const zkPropertyRow& row : zkPropertyTable())
        if (row.newValue.isConstant())
            row.field.store(d->props, row.newValue.get(*d).value);
    InitProperties();
    // A button read before its first redraw shows its back colour, never stale memory.
    d->canvas.buffer.fill(resolveColor(d->props.backColor));
    d->canvas.surface = d->canvas.buffer;
}

zkButton::~zkButton() {
    zk::objectDestroyed();
}

void zkButton::setAmbientHost(std::shared_ptr<zkAmbientHost> host) {
    d->host = host ? std::move(host) : std::make_shared<zkWidgetAmbientHost>(this);
}

void zkButton::setCursorSource(std::shared_ptr<zkCursorSource> cursor) {
    d->cursor = cursor ? std::move(cursor) : std::make_shared<SystemCursor>();
}

int zkButtonPrivate::dpi() const {
    const int value = q->logicalDpiX();
    return value > 0 ? value : 96;
}

void zkButtonPrivate::notify(const char* name) {
    emit q->PropertyChanged(QString::fromLatin1(name));
}

void zkButtonPrivate::assign(zkProperty property, const QVariant& v) {
    const zkPropertyRow& row = zkRowOf(property);
    row.field.store(props, v);
    if (row.passOn)
        row.passOn(*this);
    if (row.onSet)
        row.onSet(*this);
    switch (row.redraw) {
    case zkPropertyRow::Redraw::No:
        break;
    case zkPropertyRow::Redraw::Normal:
        redraw(zkButton::zbsNormal);
        break;
    case zkPropertyRow::Redraw::Idle:
        redraw(idleState());
        break;
    }
    if (row.notify == zkPropertyRow::Notify::Yes)
        notify(row.key);
}

QSize zkButton::holderSize(const QString& pictureProperty) const {
    const zkPictureRef p = property(pictureProperty.toLatin1().constData()).value<zkPictureRef>();
    return zkHoldsPicture(p) ? QSize(p->width(), p->height()) : QSize(0, 0);
}

QString zkButton::name() const {
    return d->host->displayName();
}

int zkButton::scaleWidth() const {
    return zk::roundHalfEven(zk::pixelsToScale(width(), d->props.scaleMode, true, d->dpi()));
}

int zkButton::scaleHeight() const {
    return zk::roundHalfEven(zk::pixelsToScale(height(), d->props.scaleMode, false, d->dpi()));
}

void zkButtonPrivate::deriveDisplayCaption() {
    if (props.useMnemonic) {
        const zkMnemonic parsed = ParseMnemonic(props.caption);
        displayCaption = parsed.text;
        accessKeys = parsed.key;
        mnemonicPos = parsed.position;
    } else {
        displayCaption = props.caption;
        accessKeys.clear();
        mnemonicPos = 0;
    }
    updateShortcuts();
}

void zkButtonPrivate::watchFont() {
    QObject::disconnect(fontConnection);
    // The font object is shared: a change made in place (the font page does that) shows at
    // once on every button that uses it.
    if (props.font)
        fontConnection = QObject::connect(props.font.data(), &zkFont::Changed, q,
                                          [this] { redraw(idleState()); });
}

void zkButtonPrivate::applyMousePointer() {
    static constexpr Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (props.mousePointer == 99 && zkHoldsPicture(props.mouseIcon))
        q->setCursor(QCursor(QPixmap::fromImage(props.mouseIcon->image())));
    else if (props.mousePointer > 0 && props.mousePointer < static_cast<int>(std::size(shapes)))
        q->setCursor(shapes[props.mousePointer]);
    else
        q->unsetCursor();
}

void zkButtonPrivate::updateShortcuts() {
    // The code is read when the key arrives: the access key may have changed since.
    const auto make = [this](QShortcut*& shortcut, bool wanted, const QList<QKeySequence>& keys,
                             const auto& code) {
        if (!wanted) {
            delete shortcut;
            shortcut = nullptr;
            return;
        }
        if (!shortcut) {
            shortcut = new QShortcut(q);
            QObject::connect(shortcut, &QShortcut::activated, q,
                             [this, code] { q->accessKeyPress(code()); });
            QObject::connect(shortcut, &QShortcut::activatedAmbiguously, q,
                             [this, code] { ambiguousKeyPress(code()); });
        }
        shortcut->setKeys(keys);
    };
    const QChar key = accessKeys.isEmpty() ? QChar() : accessKeys.at(0).toUpper();
    make(accessShortcut, !accessKeys.isEmpty(),
         {QKeySequence(QStringLiteral("Alt+") + QString(key))},
         [this] { return int(accessKeys.isEmpty() ? 0 : accessKeys.at(0).toUpper().unicode()); });
    make(enterShortcut, props.isDefault,
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [] { return 13; });
    make(escShortcut, props.cancel, {QKeySequence(Qt::Key_Escape)}, [] { return 27; });
}

void zkButtonPrivate::ambiguousKeyPress(int charCode) {
    // Qt hands a key that several buttons of the window hold to one of them in turn. Enter
    // and Esc still click exactly one button; a shared access key only moves the focus
    // along the buttons that share it, as Qt's own buttons do.
    if (charCode == 13 || charCode == 27) {
        if (zkButton* target = zk::windowKeyTarget(q, charCode))
            target->accessKeyPress(charCode);
    } else {
        q->setFocus(Qt::ShortcutFocusReason);
    }
}

QString zkButton::GetErrorString(int nErrorCode) const {
    return zk::errorString(nErrorCode);
}
