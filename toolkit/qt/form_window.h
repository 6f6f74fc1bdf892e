// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

namespace tk {

class TForm;

// The top-level window of one form: paints the form and hands mouse, key and close input to it.
// The host detaches it before the form goes away, so late events find no form and do nothing.
class TFormWindow : public QWidget {
public:
    explicit TFormWindow(TForm& form);

    TForm* Form() const { return m_form; }
    void Detach() { m_form = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void RenderForm();
    void MouseDown(QMouseEvent*, bool doubleClick);

    TForm* m_form { nullptr };
    QImage m_image;
};

}
