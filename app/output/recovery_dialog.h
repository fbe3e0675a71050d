#pragma once
// The recovery question at start: the count line, a thumbnail of every page, and the
// buttons "PDFにまとめる", "表示する" and "破棄する". Closing it answers None.
#include "recovery_command.h"

class QWidget;

namespace folivo {

inline const QString kRecoveryCaption = QStringLiteral("スキャン画像の復元");

class DialogRecoveryPrompt final : public RecoveryPrompt {
public:
    explicit DialogRecoveryPrompt(QWidget* owner) : m_owner(owner) {}
    RecoveryChoice ask(const QStringList& pages) override;

private:
    QWidget* m_owner;
};

} // namespace folivo
