#pragma once
// The About box goes through a presenter so hosts and tests can answer it without a person.
// Without one, About shows a modal information box with an OK button.
#include <QString>
#include <functional>

namespace zk {
using AboutPresenter = std::function<void(const QString& title, const QString& text)>;
// An empty function restores the message box.
void setAboutPresenter(AboutPresenter presenter);
} // namespace zk
