#include "CNullView.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CNullView::CNullView(CKinzoDoc& document, QWidget* parent) : CKinzoViewBase(FormId, document, parent)
{
    auto* note = new QLabel(u"データファイルが開かれていません。新規作成（Ctrl+N）か開く（Ctrl+O）を選んでください。"_s, this);
    note->setObjectName(u"NullViewNote"_s);
    note->setWordWrap(true);
    note->setFocusPolicy(Qt::StrongFocus);
    note->setAccessibleName(note->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addStretch();
    setFocusProxy(note);
}
