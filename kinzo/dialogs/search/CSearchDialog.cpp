#include "kinzo/dialogs/search/CSearchDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/search/CSearchGrid.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString SelectFailed = u"科目レコード抽出に失敗しました。"_s;

bool IsEnter(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
           && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

bool IsMoveModeKey(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier && key->key() == Qt::Key_Space;
}

}  // namespace

CSearchDialog::CSearchDialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document)
{
    BuildControls();
}

CSearchDialog::~CSearchDialog() = default;

void CSearchDialog::BuildControls()
{
    setWindowTitle(u"検索"_s);
    setSizeGripEnabled(true);
    resize(1000, 560);   // every result column in sight at the usual font size
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildConditions());

    auto* countRow = new QHBoxLayout;
    auto* countLabel = new QLabel(u"ヒット件数"_s, this);
    m_hitCount = new QLabel(u"0"_s, this);
    m_hitCount->setObjectName(u"1177"_s);
    m_hitCount->setAccessibleName(u"ヒット件数"_s);
    countRow->addWidget(countLabel);
    countRow->addWidget(m_hitCount);
    countRow->addStretch(1);
    layout->addLayout(countRow);

    m_grid = new CSearchGrid(this);
    m_grid->setObjectName(u"1028"_s);
    m_grid->setAccessibleName(u"検索結果"_s);
    m_grid->setMinimumSize(600, 200);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    QHBoxLayout* buttons = MakeOkCancelRow();
    auto* search = new CKoButton(u"検索(&S)"_s, this);
    search->setObjectName(u"1057"_s);
    search->setAutoDefault(false);
    connect(search, &QPushButton::clicked, this, &CSearchDialog::Search);
    buttons->insertWidget(0, search);
    OkButton()->setText(u"閉じる(&C)"_s);
    CancelButton()->hide();
    layout->addLayout(buttons);
}

QLayout* CSearchDialog::BuildConditions()
{
    auto* grid = new QGridLayout;
    auto* textLabel = new QLabel(u"検索文字列(&1)"_s, this);
    m_text = new CKoEdit(this);
    m_text->setObjectName(u"1003"_s);
    m_text->setMaxLength(100);
    m_text->SetSpokenName(textLabel->text());
    m_text->installEventFilter(this);
    KoTieLabel(textLabel, m_text);
    grid->addWidget(textLabel, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 3);

    auto* targetLabel = new QLabel(u"検索対象"_s, this);
    grid->addWidget(targetLabel, 1, 0);
    const QString names[3] = {u"科目名"_s, u"相手先"_s, u"備考"_s};
    auto* targets = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_targets[i] = new CKoCheckBox(names[i], this);
        m_targets[i]->setObjectName(QString::number(1137 + i));
        targets->addWidget(m_targets[i]);
    }
    targets->addStretch(1);
    grid->addLayout(targets, 1, 1, 1, 3);

    const auto addDate = [this, grid](const QString& caption, const QString& boxId, const QString& pickerId, int col) {
        auto* box = new CKoCheckBox(caption, this);
        box->setObjectName(boxId);
        auto* picker = new CKoVDateTimeCtrl(this);
        picker->setObjectName(pickerId);
        picker->SetDisplayMode(0);
        picker->setAccessibleName(caption);
        picker->setEnabled(false);
        connect(box, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        grid->addWidget(box, 2, col);
        grid->addWidget(picker, 2, col + 1);
        return std::pair{box, picker};
    };
    std::tie(m_startBox, m_startPicker) = addDate(u"開始年月日"_s, u"1189"_s, u"1026"_s, 0);
    std::tie(m_endBox, m_endPicker) = addDate(u"終了年月日"_s, u"1190"_s, u"1164"_s, 2);

    auto* conditionLabel = new QLabel(u"検索条件(&3)"_s, this);
    m_condition = new CKoVComboBox(this);
    m_condition->setObjectName(u"1162"_s);
    m_condition->addItems({u"AND条件"_s, u"OR条件"_s});
    KoTieLabel(conditionLabel, m_condition);
    grid->addWidget(conditionLabel, 3, 0);
    grid->addWidget(m_condition, 3, 1, Qt::AlignLeft);
    // The two date pickers alike, whatever the width.
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

void CSearchDialog::OnInitDialog()
{
    for (CKoCheckBox* target : m_targets) target->setChecked(true);
    m_condition->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    m_startPicker->setDate(today);
    m_endPicker->setDate(today);
    m_grid->EnableSpeech(0);
    m_grid->Fill({}, m_document.AccountItems());
    m_grid->RecalcLayout();
    m_grid->EnableSpeech(1);
    m_text->setFocus(Qt::OtherFocusReason);
}

QString CSearchDialog::HitCountText() const
{
    return m_hitCount->text();
}

bool CSearchDialog::ReadRequest(SearchRequest& request)
{
    request.text = m_text->text().trimmed();
    request.inAccount = m_targets[0]->isChecked();
    request.inCater = m_targets[1]->isChecked();
    request.inNote = m_targets[2]->isChecked();
    request.anyWord = m_condition->currentIndex() == 1;
    request.start = m_startBox->isChecked() ? m_startPicker->date() : QDate();
    request.end = m_endBox->isChecked() ? m_endPicker->date() : QDate();
    if (request.text.isEmpty()) {
        KoMessageBox(this, u"検索文字列を指定してください。"_s);
        m_text->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!request.inAccount && !request.inCater && !request.inNote) {
        KoMessageBox(this, u"検索対象を１つ以上チェックしてください。"_s);
        m_targets[0]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

bool CSearchDialog::Search()
{
    SearchRequest request;
    return ReadRequest(request) && RunQuery(request, true, 0);
}

bool CSearchDialog::RunQuery(const SearchRequest& request, bool speak, int keepEntryId)
{
    QString where;
    QList<_ViewEntry> hits;
    if (BuildSearchCondition(m_document, request, where) != DbStatus::Ok
        || m_document.KinzoView().SelectEntries(where, u"日付"_s, hits) != DbStatus::Ok) {
        KoMessageBox(this, SelectFailed);
        return false;
    }
    m_shown = request;
    m_hitCount->setText(QString::number(hits.size()));
    if (speak) KoAppReadText(u"検索結果は%1件です。"_s.arg(hits.size()), 0, 1);
    ShowHits(hits, keepEntryId);
    return true;
}

void CSearchDialog::ShowHits(const QList<_ViewEntry>& hits, int keepEntryId)
{
    m_grid->EnableSpeech(0);
    if (!m_grid->Fill(hits, m_document.AccountItems())) KoMessageBox(this, u"親科目レコード読み込みに失敗しました。"_s);
    if (m_grid->HitCount() > 0) {
        const int kept = m_grid->RowOfEntry(keepEntryId);
        m_grid->SetCurrentCell(kept > 0 ? kept : CSearchGrid::FirstHitRow, CSearchGrid::ColDate);
    }
    m_grid->RecalcLayout();
    m_grid->Redraw();
    m_grid->EnableSpeech(1);
}

void CSearchDialog::OpenCurrent()
{
    const int id = m_grid->EntryIdOfRow(m_grid->GetCurrentCell().row);
    if (id <= 0) return;
    _ViewEntry entry;
    if (m_document.KinzoView().GetViewEntry(id, entry) != DbStatus::Ok) {
        KoMessageBox(this, u"出納レコード取得に失敗しました。"_s);
        return;
    }
    CKinzoDialog dialog(this, m_document, entry);
    dialog.DoModal();
    // The entry may have changed or gone: the same search again.
    if (!m_shown.text.isEmpty()) RunQuery(m_shown, false, id);
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CSearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_text && IsEnter(key)) {
            Search();
            return true;
        }
        if (watched == m_grid && IsEnter(key)) {
            OpenCurrent();
            return true;
        }
        if (watched == m_grid && IsMoveModeKey(key)) {
            m_grid->SetMoveMode(m_grid->GetMoveMode() ? 0 : 1);
            return true;
        }
    }
    return CKoVDialogBase::eventFilter(watched, event);
}

void CSearchDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsMoveModeKey(event)) {
        m_grid->SetMoveMode(m_grid->GetMoveMode() ? 0 : 1);
        event->accept();
        return;
    }
    // Enter on a condition opens the current hit; a button does its own.
    if (IsEnter(event) && !qobject_cast<QPushButton*>(focusWidget())) {
        OpenCurrent();
        event->accept();
        return;
    }
    CKoVDialogBase::keyPressEvent(event);
}
