#pragma once

#include "engine/cleaning/PrivacyViewModel.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The Privacy screen's own rules over the window's privacy view model: which
// rows a tap may select, clearing the selection, and when the files a clean
// could not move are reported. The view model sets that count before the
// scan that follows every clean starts; the screen reports it only once that
// scan has ended, so the alert stands over the refreshed results.
class PrivacyScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::cleaning::PrivacyViewModel* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    // The last clean's failures once its rescan has ended; 0 otherwise.
    Q_PROPERTY(int reportedFailures READ reportedFailures NOTIFY reportedFailuresChanged)
    // The view model's byte sums as numbers QML can format.
    Q_PROPERTY(double totalFoundSize READ totalFoundSize NOTIFY sizesChanged)
    Q_PROPERTY(double selectedSize READ selectedSize NOTIFY sizesChanged)

public:
    explicit PrivacyScreen(QObject* parent = nullptr);

    cleaning::PrivacyViewModel* viewModel() const { return m_viewModel; }
    void setViewModel(cleaning::PrivacyViewModel* viewModel);
    int reportedFailures() const { return m_reported; }
    double totalFoundSize() const { return m_viewModel ? double(m_viewModel->totalFoundSize()) : 0.0; }
    double selectedSize() const { return m_viewModel ? double(m_viewModel->selectedSize()) : 0.0; }

    // The user's tap on a row: flips its selection when it was scanned
    // without error and holds files, and nothing is scanning or cleaning.
    Q_INVOKABLE void toggle(int row);
    // Deselects every target, one row at a time.
    Q_INVOKABLE void selectNone();
    // The failure report was closed, however.
    Q_INVOKABLE void clearFailures();

signals:
    void viewModelChanged();
    void reportedFailuresChanged();
    void sizesChanged();

private:
    void cleaningChanged();
    void scanningChanged();
    void update();

    QPointer<cleaning::PrivacyViewModel> m_viewModel;
    bool m_awaitingRescan = false;
    int m_reported = 0;
};

} // namespace velk::screens
