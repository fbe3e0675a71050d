#pragma once
// Small builders for the dialogs' controls: each gets a fixed object name (so tests and the
// user's assistive tools can find it) and its place in pixels.
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace folivo {

template <typename W> W* Place(W* widget, const QString& name, const QRect& geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

inline QGroupBox* MakeFrame(QWidget* parent, const QString& name, const char16_t* caption,
                            const QRect& geometry) {
    return Place(new QGroupBox(QString::fromUtf16(caption), parent), name, geometry);
}

inline QRadioButton* MakeOption(QWidget* frame, const QString& name, const char16_t* text,
                                const QRect& geometry) {
    return Place(new QRadioButton(QString::fromUtf16(text), frame), name, geometry);
}

inline QPushButton* MakeButton(QWidget* parent, const QString& name, const char16_t* text,
                               const QRect& geometry) {
    return Place(new QPushButton(QString::fromUtf16(text), parent), name, geometry);
}

} // namespace folivo
