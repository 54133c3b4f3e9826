#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/accounts/AccountEdits.h"
#include "kinzo/dialogs/accounts/CAccountGrid.h"
#include "kolib/CKoButton.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"
#include "voice/CVoiceReader.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAcntSettingDialog::CAcntSettingDialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document)
{
    m_loaded = m_document.AccountTable().LoadTree(m_tree) == DbStatus::Ok;
    BuildControls();
}

CAcntSettingDialog::~CAcntSettingDialog() = default;

void CAcntSettingDialog::Open(QWidget* parent, CKinzoDoc& document)
{
    {
        CAcntSettingDialog dialog(parent, document);
        dialog.DoModal();
    }
    if (document.ReloadAccountItems()) document.NotifyViews(UpdateHint::AccountTreeEdited);
}

void CAcntSettingDialog::BuildControls()
{
    setWindowTitle(u"科目設定"_s);
    setSizeGripEnabled(true);
    setMinimumSize(640, 420);
    resize(880, 520);   // room for every column at the usual font size
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    m_grid = new CAccountGrid(this);
    m_grid->setObjectName(u"1028"_s);
    m_grid->setAccessibleName(u"科目設定"_s);
    m_grid->installEventFilter(this);
    connect(m_grid, &CAccountGrid::currentNodeChanged, this, &CAcntSettingDialog::UpdateCommands);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    auto* side = new QVBoxLayout;
    AddButton(side, 1001, u"追加(&A)..."_s, CmdAdd);
    AddButton(side, 1043, u"変更(&U)..."_s, CmdChange);
    AddButton(side, 1085, u"統合(&T)..."_s, CmdMerge);
    AddButton(side, 1032, u"移動(&M)..."_s, CmdMove);
    AddButton(side, 1002, u"削除(&D)"_s, CmdDelete);
    side->addSpacing(12);
    AddButton(side, 1034, u"一番上へ(&F)"_s, CmdFirst);
    AddButton(side, 1033, u"上へ(&P)"_s, CmdUp);
    AddButton(side, 1031, u"下へ(&W)"_s, CmdDown);
    AddButton(side, 1035, u"一番下へ(&L)"_s, CmdLast);
    side->addStretch(1);
    body->addLayout(side);
    layout->addLayout(body, 1);
    QHBoxLayout* buttons = MakeOkCancelRow();
    OkButton()->setText(u"閉じる(&C)"_s);
    CancelButton()->hide();
    layout->addLayout(buttons);
    BuildMenu(bar);
}

void CAcntSettingDialog::AddButton(QLayout* layout, int buttonId, const QString& text, int command)
{
    auto* button = new CKoButton(text, this);
    button->setObjectName(QString::number(buttonId));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] { RunCommand(command); });
    layout->addWidget(button);
    m_buttons[command] = button;
}

void CAcntSettingDialog::BuildMenu(QMenuBar* bar)
{
    const auto add = [this](QMenu* menu, int command, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        m_actions[command] = action;
    };
    QMenu* edit = bar->addMenu(u"編集(&E)"_s);
    add(edit, CmdAdd, u"追加(&A)\tCtrl+A"_s);
    add(edit, CmdChange, u"変更(&U)...\tCtrl+U"_s);
    add(edit, CmdMerge, u"統合(&T)...\tCtrl+T"_s);
    add(edit, CmdMove, u"移動(&M)...\tCtrl+M"_s);
    add(edit, CmdDelete, u"削除(&D)\tCtrl+D"_s);
    edit->addSeparator();
    add(edit, CmdFirst, u"一番上へ移動(&F)"_s);
    add(edit, CmdUp, u"上へ移動(&U)"_s);
    add(edit, CmdDown, u"下へ移動(&D)"_s);
    add(edit, CmdLast, u"一番下へ移動(&L)"_s);
    edit->addSeparator();
    add(edit, CmdClose, u"閉じる(&C)"_s);
    QMenu* view = bar->addMenu(u"表示(&V)"_s);
    add(view, CmdMoveMode, u"横優先移動(&H)\tCtrl+Space"_s);
    view->addSeparator();
    add(view, CmdLevel0, u"収支まで(&0)"_s);
    add(view, CmdLevel0 + 1, u"第１階層まで(&1)"_s);
    add(view, CmdLevel0 + 2, u"第２階層まで(&2)"_s);
    add(view, CmdLevel3, u"第３階層まで(&3)"_s);
    view->addSeparator();
    add(view, CmdResetWidths, u"列幅を既定値に戻す(&R)"_s);
    // Each item is said as the user reaches it, as the main window's are.
    for (QMenu* menu : {edit, view})
        connect(menu, &QMenu::hovered, this, [](QAction* action) {
            const QString name = KoStripMnemonic(action->text().section(u'\t', 0, 0)).remove(u"..."_s);
            KoAppReadText((name + u' ' + action->text().section(u'\t', 1)).trimmed(), 1, 0);
        });
}

void CAcntSettingDialog::OnInitDialog()
{
    if (!m_loaded) {
        KoMessageBox(this, u"科目テーブル読み込みに失敗しました。"_s);
        QMetaObject::invokeMethod(this, [this] { QDialog::done(QDialog::Rejected); }, Qt::QueuedConnection);
        return;
    }
    Report(account_edits::SyncCodes(m_document, &m_tree));
    m_grid->SetFont(m_grid->GetFontName(), font().pointSize());
    m_grid->EnableSpeech(0);
    Rebuild(nullptr);
    m_grid->EnableSpeech(1);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CAcntSettingDialog::Rebuild(const AccountItemNode* current)
{
    const bool speaking = m_grid->IsSpeechEnabled();
    m_grid->EnableSpeech(0);
    m_grid->Fill(m_tree, current);
    m_grid->EnableSpeech(speaking ? 1 : 0);
    m_grid->RecalcLayout();
    m_grid->Redraw();
    UpdateCommands();
    // The user sees where the edit left the cursor: say it too.
    m_grid->SayCurrent();
}

bool CAcntSettingDialog::Report(const QString& failure)
{
    if (failure.isEmpty()) return true;
    KoMessageBox(this, failure);
    return false;
}

bool CAcntSettingDialog::IsCommandEnabled(int command) const
{
    const AccountItemNode* node = m_grid->CurrentNode();
    const bool item = node && node->m_data.level >= 1;
    switch (command) {
    case CmdChange:
    case CmdMove:
    case CmdDelete:
    case CmdUp:
    case CmdDown: return item;
    case CmdMerge: return item && !node->HasChildren();
    case CmdFirst: return item && node->m_prev;
    case CmdLast: return item && node->m_next;
    default: return true;
    }
}

QAction* CAcntSettingDialog::Action(int command) const
{
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void CAcntSettingDialog::UpdateCommands()
{
    for (auto& [command, action] : m_actions) action->setEnabled(IsCommandEnabled(command));
    for (auto& [command, button] : m_buttons) button->setEnabled(IsCommandEnabled(command));
}

void CAcntSettingDialog::RunCommand(int command)
{
    if (!IsCommandEnabled(command)) return;
    switch (command) {
    case CmdAdd: Add(); break;
    case CmdChange: Change(); break;
    case CmdMerge: Merge(); break;
    case CmdMove: Move(); break;
    case CmdDelete: Delete(); break;
    case CmdFirst:
    case CmdUp:
    case CmdDown:
    case CmdLast: Reorder(command); break;
    case CmdClose: OnOK(); break;
    case CmdMoveMode: m_grid->SetMoveMode(m_grid->GetMoveMode() ? 0 : 1); break;
    case CmdResetWidths:
        m_grid->ResetColumnWidths();
        m_grid->RecalcLayout();
        m_grid->Redraw();
        break;
    default:
        if (command >= CmdLevel0 && command <= CmdLevel3) {
            m_grid->ShowToLevel(command - CmdLevel0);
            UpdateCommands();
        }
        break;
    }
    if (command != CmdClose && isVisible()) m_grid->setFocus(Qt::OtherFocusReason);
}

bool CAcntSettingDialog::HandleKey(const QKeyEvent* key)
{
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
    static const std::map<int, int> keys{{Qt::Key_A, CmdAdd},    {Qt::Key_U, CmdChange}, {Qt::Key_T, CmdMerge},
                                         {Qt::Key_M, CmdMove},   {Qt::Key_D, CmdDelete},
                                         {Qt::Key_Space, CmdMoveMode}};
    const auto found = keys.find(key->key());
    if (found == keys.end()) return false;
    RunCommand(found->second);
    return true;
}

bool CAcntSettingDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return CKoVDialogBase::eventFilter(watched, event);
}

void CAcntSettingDialog::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event)) {
        event->accept();
        return;
    }
    CKoVDialogBase::keyPressEvent(event);
}
