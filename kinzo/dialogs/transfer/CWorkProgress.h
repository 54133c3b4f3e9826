#pragma once
// The progress window of long whole-file work: says what is being done when
// it opens, shows the records done (and the bar when the total is known),
// then shows and says that the indexes and totals are being built; keeps the
// program's windows painting, and stops the work on "キャンセル".
// Opens only after the work has run a moment, so short work shows nothing.

#include "kinzo/data/RowProgress.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

class CWorkProgress {
public:
    CWorkProgress(QWidget* owner, const QString& what);
    ~CWorkProgress();
    RowProgress Callback();
    bool Cancelled() const { return m_cancelled; }
    // What the window shows for a count ("12,345 件").
    static QString CountText(qint64 done);
    // What it shows and says once every record is in (FinishingWork).
    static QString FinishingText();

private:
    bool Step(qint64 done, qint64 total);
    QWidget* m_owner;
    QString m_what;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    bool m_cancelled = false;
    bool m_finishingSaid = false;
};
