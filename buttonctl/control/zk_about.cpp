#include "zk_about.h"

#include "zk_library.h"
#include "zkbutton.h"

#include <QMessageBox>

namespace zk {

namespace {
AboutPresenter& presenter() {
    static AboutPresenter p;
    return p;
}
} // namespace

void setAboutPresenter(AboutPresenter p) {
    presenter() = std::move(p);
}

} // namespace zk

void zkButton::About() {
    if (zk::presenter()) {
        zk::presenter()(zk::aboutTitle(), zk::aboutText());
        return;
    }
    QMessageBox::information(this, zk::aboutTitle(), zk::aboutText(), QMessageBox::Ok);
}
