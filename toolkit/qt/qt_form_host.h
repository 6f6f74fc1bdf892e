// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"
#include "toolkit/form_host.h"
#include "toolkit/qt/form_window.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace tk {

class TForm;

// Keeps one form's window in step with the form: flags, place, size, title, visibility, cursor.
class TQtFormHost : public TFormHost {
public:
    explicit TQtFormHost(TForm&);
    ~TQtFormHost() override;

    TFormWindow* Window() const { return m_window; }

    void Invalidate() override;
    void RepaintNow() override;
    void GeometryChanged() override;
    void VisibilityChanged() override;
    void CaptionChanged() override;
    void StyleChanged() override;
    void CursorChanged(TControl*) override;
    void ControlRemoved(TControl*) override;
    bool ShowsTextNatively() const override { return true; }

    // Native widgets that stand in for a control (text editors), children of the window.
    // The host deletes a peer when its control goes.
    QWidget* Peer(TControl*) const;
    void SetPeer(TControl*, QWidget*);

private:
    void ApplyFlags();
    void ApplyGeometry();
    void ApplyCaption();
    // Native editors follow their controls: shown where and while the control shows.
    void SyncPeers();
    void SyncPeersIn(const TWinControl&);
    void StackPeers();
    static QCursor CursorFor(TCursor);

    TForm& m_form;
    QPointer<TFormWindow> m_window;
    std::optional<std::string> m_caption;
    TCursor m_cursor { crDefault };
    std::map<TControl*, QPointer<QWidget>> m_peers;
    bool m_syncQueued { false };
    // Queued work checks this, so it does nothing once the host is gone.
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
