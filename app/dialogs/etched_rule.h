#pragma once
// Two one-pixel lines, a grey (128, 128, 128) one above a white one, that together look
// like a groove cut into the dialog face. Placed from the grey line's top; the white line
// lies whiteOffset pixels below it.
#include <QWidget>

namespace folivo {

class EtchedRule : public QWidget {
    Q_OBJECT
public:
    EtchedRule(int lineWidth, int whiteOffset, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_lineWidth;
    int m_whiteOffset;
};

} // namespace folivo
