// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"
#include "toolkit/picture.h"

namespace tk {

// Shows a picture, at its size or stretched to the control. A picture without content is an
// invisible click area.
class TImage : public TControl {
public:
    TImage(TWinControl* parent, std::string name);

    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool);
    bool Center() const { return m_center; }
    void SetCenter(bool);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool);

    void Paint(TCanvas&) override;

private:
    void PictureChanged();

    TPicture m_picture;
    bool m_stretch { false };
    bool m_center { false };
    bool m_autoSize { false };
};

}
