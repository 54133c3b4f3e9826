#include "CNullView.h"

#include "kolib/KoAppVoice.h"

#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CNullView::CNullView(CKinzoDoc& document, QWidget* parent) : CKinzoViewBase(FormId, document, parent)
{
    auto* note = new QLabel(StartHint(), this);
    note->setObjectName(u"NullViewNote"_s);
    note->setWordWrap(true);
    note->setFocusPolicy(Qt::StrongFocus);
    note->setAccessibleName(note->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addStretch();
    setFocusProxy(note);
}

QString CNullView::StartHint()
{
    return u"データファイルが開かれていません。新規作成（Ctrl+N）か開く（Ctrl+O）を選んでください。"_s;
}

void CNullView::showEvent(QShowEvent* event)
{
    CKinzoViewBase::showEvent(event);
    // A window coming back from the task bar is no news; after what was said
    // before (a closing file's words), not over it.
    // Said once the start-up or command that showed it is done: a file it
    // opens straight away hides the view again, and then there is nothing to say.
    if (event->spontaneous()) return;
    QTimer::singleShot(0, this, [this] {
        // A screen reader of the tree reads the focused note itself.
        if (isVisible()) KoAppReadArrival(StartHint(), 0, 0);
    });
}
