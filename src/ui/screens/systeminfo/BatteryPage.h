#pragma once

#include "engine/monitor/BatteryService.h"
#include "ui/screens/systeminfo/InfoRowListModel.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace velk::screens {

// The battery page's reading: taken when the page is made, at once when it
// is shown, then every 30 seconds on the platform clock while it stays
// shown, and on refresh().
class BatteryPage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // Whether the page is on screen; the view binds it to its visibility.
    Q_PROPERTY(bool shown READ shown WRITE setShown NOTIFY shownChanged)
    Q_PROPERTY(bool present READ present NOTIFY readingChanged)
    Q_PROPERTY(int percent READ percent NOTIFY readingChanged)
    Q_PROPERTY(velk::screens::InfoRowListModel* charge READ charge CONSTANT)
    Q_PROPERTY(velk::screens::InfoRowListModel* health READ health CONSTANT)
    Q_PROPERTY(velk::screens::InfoRowListModel* model READ model CONSTANT)

public:
    static constexpr double pollSeconds = 30.0;

    explicit BatteryPage(QObject* parent = nullptr);

    bool shown() const { return m_shown; }
    void setShown(bool shown);
    bool present() const { return m_status.has_value(); }
    int percent() const { return m_status ? m_status->percent : 0; }
    InfoRowListModel* charge() { return &m_charge; }
    InfoRowListModel* health() { return &m_health; }
    InfoRowListModel* model() { return &m_model; }

    // Reads the battery now, whatever the polling's schedule.
    Q_INVOKABLE void refresh();

signals:
    void shownChanged();
    void readingChanged();

private:
    // One read of the polling, then the next one 30 s later, unless the page
    // was hidden (or hidden and shown again) in the meantime.
    void poll(quint64 round);

    bool m_shown = false;
    quint64 m_round = 0;
    std::optional<monitor::BatteryStatus> m_status;
    InfoRowListModel m_charge;
    InfoRowListModel m_health;
    InfoRowListModel m_model;
};

} // namespace velk::screens
