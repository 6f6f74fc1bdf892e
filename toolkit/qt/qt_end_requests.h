#pragma once

#include <QObject>

class QSocketNotifier;

namespace tk {

// The desktop session ending and SIGTERM, SIGINT or SIGHUP close the main form, as its close
// button would, so that what it saves on closing is saved. A signal only writes a byte to a pipe;
// the loop reads it and closes the form between handlers.
class TQtEndRequests : public QObject {
public:
    TQtEndRequests();
    ~TQtEndRequests() override;

private:
    static void CloseMainForm();

    QSocketNotifier* m_notifier { nullptr };
};

}
