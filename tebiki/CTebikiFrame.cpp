#include "CTebikiFrame.h"

#include "CIndexTreeView.h"
#include "CTextView.h"
#include "TebikiCommands.h"

#include "kolib/KoAppVoice.h"
#include "kolib/KoCommandEvent.h"
#include "kolib/KoMessageBox.h"
#include "platform/Beep.h"
#include "voice/CVoiceReader.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSplitter>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {

// The sizes Control+Shift+Up and Down step through; the manual reads at 12.
const QList<int> paneSizes{12, 14, 16, 18, 22, 26, 30, 36, 45};

// White on black in a Mincho face, as the manual has always read.
void applyManualLook(QWidget* pane, int pointSize)
{
    QFont font;
    font.setFamilies({u"ＭＳ 明朝"_s, u"IPAMincho"_s, u"IPA明朝"_s, u"Noto Serif CJK JP"_s});
    font.setPointSize(pointSize);
    pane->setFont(font);
    QPalette palette = pane->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, Qt::white);
    palette.setColor(QPalette::Highlight, Qt::white);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    pane->setPalette(palette);
    pane->setAutoFillBackground(true);
}

struct MenuItem {
    int id;
    QString text;
};

}  // namespace

CTebikiFrame::CTebikiFrame(const CTebikiDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_fkeyMenu(this)
{
    setObjectName(u"TebikiFrame"_s);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_tree = new CIndexTreeView(m_splitter);
    m_text = new CTextView(m_splitter);
    m_tree->setMinimumHeight(50);
    m_splitter->setCollapsible(0, false);
    m_splitter->setStretchFactor(0, 0);   // a larger window gives its room to the page
    m_splitter->setStretchFactor(1, 1);
    SetPaneFontSize(paneSizes.first());
    setCentralWidget(m_splitter);
    BuildMenus();
    BuildFunctionKeys();
    connect(m_tree, &CIndexTreeView::IndexChosen, this, &CTebikiFrame::OnIndexChosen);
    m_tree->Build(doc);
    m_tree->SelectIndex(0);
    setWindowTitle(doc.WindowTitle());
    qApp->installEventFilter(this);
}

CTebikiFrame::~CTebikiFrame()
{
    qApp->removeEventFilter(this);
}

void CTebikiFrame::BuildMenus()
{
    const QList<std::pair<QString, QList<MenuItem>>> menus{
        {u"ファイル(&F)"_s, {{CmdTebikiExit, u"終了(&X)"_s}}},
        {u"編集(&E)"_s, {{CmdTebikiCopy, u"コピー(&C)\tCtrl+C"_s}}},
        {u"検索(&S)"_s, {{CmdTebikiFind, u"検索(&F)...\tCtrl+F"_s}, {CmdTebikiFindNext, u"次を検索(&N)\tCtrl+N"_s}}},
        {u"移動(&M)"_s,
         {{CmdTebikiPreviousItem, u"前の項目に移動(&P)\tCtrl+P"_s}, {CmdTebikiNextItem, u"次の項目に移動(&Z)\tCtrl+Z"_s}}},
        {u"読み上げ(&R)"_s,
         {{CmdTebikiReadAll, u"全文読み(&1)"_s}, {CmdTebikiReadToCaret, u"最初からカーソル位置まで読み上げ(&2)"_s},
          {CmdTebikiReadFromCaret, u"カーソル位置から最後まで読み上げ(&3)"_s}}},
        {u"ヘルプ(&H)"_s, {{CmdTebikiAbout, u"バージョン情報(&A)..."_s}}},
    };
    auto* reading = new QActionGroup(this);
    for (const auto& [title, items] : menus) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const MenuItem& item : items) {
            QAction* action = menu->addAction(item.text);
            action->setObjectName(QString::number(item.id));
            connect(action, &QAction::triggered, this, [this, id = item.id] { RunCommand(id); });
            m_actions[item.id] = action;
        }
    }
    for (int id : {int(CmdTebikiReadAll), int(CmdTebikiReadToCaret), int(CmdTebikiReadFromCaret)})
        reading->addAction(Action(id))->setCheckable(true);
    Action(CmdTebikiReadAll)->setChecked(true);
}

void CTebikiFrame::BuildFunctionKeys()
{
    const QList<std::pair<int, QString>> entries{{CmdTebikiFind, u"検索"_s},
                                                 {CmdTebikiFindNext, u"次を検索"_s},
                                                 {CmdTebikiPreviousItem, u"前の項目"_s},
                                                 {CmdTebikiNextItem, u"次の項目"_s},
                                                 {CmdTebikiReadAll, u"全文読み"_s}};
    for (int i = 0; i < entries.size(); ++i)
        m_fkeyMenu.Add(unsigned(Qt::Key_F1 + i), entries[i].second, unsigned(entries[i].first));
}

QAction* CTebikiFrame::Action(int id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

bool CTebikiFrame::RunCommand(int id)
{
    switch (id) {
    case CmdTebikiExit: close(); return true;
    case CmdTebikiCopy: m_text->copy(); return true;
    case CmdTebikiFind: OnFind(); return true;
    case CmdTebikiFindNext: OnFindNext(); return true;
    case CmdTebikiPreviousItem: m_tree->SelectIndex(m_doc.PreviousItem(m_tree->CurrentIndex())); return true;
    case CmdTebikiNextItem: m_tree->SelectIndex(m_doc.NextItem(m_tree->CurrentIndex())); return true;
    case CmdTebikiReadAll:
    case CmdTebikiReadToCaret:
    case CmdTebikiReadFromCaret: Read(id); return true;
    case CmdTebikiAbout:
        KoMessageBox(this, u"TebikiVer2\n手引き（マニュアル表示）プログラム\nバージョン %1"_s.arg(
                               QCoreApplication::applicationVersion()));
        return true;
    default: return false;
    }
}

void CTebikiFrame::SetPaneFontSize(int pointSize)
{
    m_paneFontSize = pointSize;
    applyManualLook(m_tree, pointSize);
    applyManualLook(m_text, pointSize);
}

void CTebikiFrame::StepPaneFontSize(int direction)
{
    const qsizetype at = std::max<qsizetype>(0, paneSizes.indexOf(m_paneFontSize));
    SetPaneFontSize(paneSizes.at(std::clamp<qsizetype>(at + direction, 0, paneSizes.size() - 1)));
    // Said at the ends too, so the key is never met by silence.
    KoAppReadText(u"文字サイズ %1"_s.arg(m_paneFontSize), 1, 0);
}

void CTebikiFrame::OnIndexChosen(int index)
{
    if (index >= 0 && index < m_doc.Pages().size()) m_text->ShowPage(m_doc.Page(index));
}

void CTebikiFrame::Read(int command)
{
    Action(command)->setChecked(true);
    KoAppStopRead();
    const QString text = command == CmdTebikiReadAll       ? m_text->toPlainText()
                         : command == CmdTebikiReadToCaret ? m_text->TextBeforeSelection()
                                                           : m_text->TextAfterSelection();
    KoAppReadText(text.trimmed(), 1, 0);
}

void CTebikiFrame::OnFind()
{
    CFindDialog dialog(m_lastSearch, this);
    if (dialog.DoModal() != QDialog::Accepted) return;
    m_lastSearch = dialog.Request();
    Find(m_lastSearch);
}

void CTebikiFrame::OnFindNext()
{
    if (!m_lastSearch.text.isEmpty()) Find(m_lastSearch);
}

void CTebikiFrame::Find(const FindRequest& request)
{
    if (m_text->find(request.text, request.Flags())) {
        platform::beep(platform::BeepSound::Exclamation);
        KoAppReadText(m_text->textCursor().block().text(), 1, 0);
        return;
    }
    KoMessageBox(this, u"文字列 '%1' が見つかりませんでした。"_s.arg(request.text));
}

void CTebikiFrame::SwitchPane()
{
    if (m_tree->hasFocus()) m_text->setFocus(Qt::TabFocusReason);
    else m_tree->setFocus(Qt::TabFocusReason);
}

bool CTebikiFrame::eventFilter(QObject* watched, QEvent* e)
{
    // Keys of this window's own widgets, not of a dialog over it.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, e);
    if (e->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(e))) return true;
    if (e->type() == QEvent::KeyRelease && m_functionKeyHeld) {
        m_functionKeyHeld = false;
        if (CVoiceReader* voice = KoAppVoice()) voice->SetReadTreeList(1);
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

bool CTebikiFrame::HandleKey(QKeyEvent* key)
{
    const int code = key->key();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (code >= Qt::Key_F1 && code <= Qt::Key_F5 && modifiers == Qt::NoModifier) {
        if (!key->isAutoRepeat() && m_fkeyMenu.HandleMainKey(unsigned(code))) {
            m_functionKeyHeld = true;
            if (CVoiceReader* voice = KoAppVoice()) voice->SetReadTreeList(0);
        }
        return true;
    }
    if (modifiers == Qt::NoModifier && (code == Qt::Key_Tab || code == Qt::Key_Return || code == Qt::Key_Enter)) {
        SwitchPane();
        return true;
    }
    if (code == Qt::Key_Escape || code == Qt::Key_Alt) {
        KoAppStopRead();
        return code == Qt::Key_Escape;   // Alt still opens the menu bar
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && (code == Qt::Key_Up || code == Qt::Key_Down)) {
        StepPaneFontSize(code == Qt::Key_Up ? 1 : -1);
        return true;
    }
    if (modifiers != Qt::ControlModifier) return false;
    static const std::map<int, int> controlKeys{{Qt::Key_F, CmdTebikiFind},
                                                 {Qt::Key_N, CmdTebikiFindNext},
                                                 {Qt::Key_P, CmdTebikiPreviousItem},
                                                 {Qt::Key_Z, CmdTebikiNextItem}};
    const auto found = controlKeys.find(code);
    if (found == controlKeys.end()) return false;
    RunCommand(found->second);
    return true;
}

void CTebikiFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The contents row starts 250 pixels high; the page takes the rest.
    if (!m_splitterPlaced) {
        m_splitterPlaced = true;
        m_splitter->setSizes({250, std::max(50, m_splitter->height() - 250)});
    }
}

void CTebikiFrame::closeEvent(QCloseEvent* event)
{
    KoAppStopRead();
    event->accept();
}

bool CTebikiFrame::event(QEvent* e)
{
    if (e->type() == KoCommandEvent::Type()) {
        RunCommand(int(static_cast<KoCommandEvent*>(e)->CommandId()));
        return true;
    }
    return QMainWindow::event(e);
}
