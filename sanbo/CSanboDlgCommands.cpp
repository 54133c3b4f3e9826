// The calculator's menu and the commands behind menu items, buttons and keys.

#include "CSanboDlg.h"

#include "CSanboIniFile.h"
#include "CSanboTaxRateDlg.h"

#include "kolib/KoAppSettings.h"
#include "kolib/CKoSettingInfoBase.h"
#include "kolib/KoMessageBox.h"
#include "platform/ProgramLauncher.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

struct MenuItem {
    int command;   // 0: a separator
    const char16_t* text;
};

struct MenuPopup {
    const char16_t* title;
    Qt::Key mnemonic;
    const char16_t* label;   // what its function key says
    std::vector<MenuItem> items;
};

const std::vector<MenuPopup>& MenuTable()
{
    using D = CSanboDlg;
    static const std::vector<MenuPopup> table{
        {u"ファイル(&F)", Qt::Key_F, u"ファイル", {{D::CmdExit, u"終了(&X)"}}},
        {u"編集(&E)", Qt::Key_E, u"編集",
         {{D::CmdAllClear, u"オールクリア\tEsc"}, {D::CmdClearEntry, u"クリアエントリ\tDel"},
          {D::CmdBackspace, u"バックスペース\tBkSp"}, {0, u""},
          {D::CmdCopy, u"コピー(&C)\tCtrl+C"}, {D::CmdPaste, u"貼り付け(&V)\tCtrl+V"}, {0, u""},
          {D::CmdTaxIncluded, u"税込(&T)\tCtrl+T"}, {D::CmdChangeSign, u"プラスマイナス\tF9"}}},
        {u"メモリ(&M)", Qt::Key_M, u"メモリ",
         {{D::CmdMemoryPlus, u"プラス(&P)\tCtrl+P"}, {D::CmdMemoryStore, u"保存(&S)\tCtrl+S"},
          {D::CmdMemoryRecall, u"呼び出し(&R)\tCtrl+R"}, {D::CmdMemoryClear, u"クリア(&L)\tCtrl+L"}}},
        {u"表示(&V)", Qt::Key_V, u"表示", {{D::CmdZoomIn, u"拡大(&U)"}, {D::CmdZoomOut, u"縮小(&D)"}}},
        {u"設定(&S)", Qt::Key_S, u"設定", {{D::CmdTaxRate, u"消費税率設定(&S)..."}}},
        {u"ヘルプ(&H)", Qt::Key_H, u"ヘルプ",
         {{D::CmdManual, u"ヘルプの表示(&V)"}, {D::CmdAbout, u"バージョン情報(&A)"}}},
    };
    return table;
}

}  // namespace

void CSanboDlg::BuildMenu()
{
    unsigned int functionKey = Qt::Key_F1;
    for (const MenuPopup& popup : MenuTable()) {
        QMenu* menu = m_menuBar->addMenu(QString::fromUtf16(popup.title));
        for (const MenuItem& item : popup.items) {
            if (item.command == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf16(item.text));
            action->setData(item.command);
            const int command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        }
        FKeyMenu().Add(functionKey++, QString::fromUtf16(popup.label), popup.mnemonic);
    }
}

void CSanboDlg::RunCommand(int command)
{
    switch (command) {
    case CmdAllClear: Report(m_engine.AllClear()); return;
    case CmdClearEntry: Report(m_engine.ClearEntry()); return;
    case CmdBackspace: Report(m_engine.Backspace()); return;
    case CmdMemoryPlus: Report(m_engine.MemoryPlus()); return;
    case CmdMemoryStore: Report(m_engine.MemoryStore()); return;
    case CmdMemoryRecall: Report(m_engine.MemoryRecall()); return;
    case CmdMemoryClear: Report(m_engine.MemoryClear()); return;
    case CmdTaxIncluded: Report(m_engine.TaxIncluded()); return;
    case CmdChangeSign: Report(m_engine.ChangeSign()); return;
    case CmdPlus: Report(m_engine.TwoOperand(CSanboEngine::Plus)); return;
    case CmdMinus: Report(m_engine.TwoOperand(CSanboEngine::Minus)); return;
    case CmdTimes: Report(m_engine.TwoOperand(CSanboEngine::Times)); return;
    case CmdDivide: Report(m_engine.TwoOperand(CSanboEngine::Divide)); return;
    case CmdEquals: Report(m_engine.Equal()); return;
    case CmdZoomIn: Magnify(true); return;
    case CmdZoomOut: Magnify(false); return;
    case CmdExit: CKoVDialogBase::OnCancel(); return;
    case CmdCopy: Copy(); return;
    case CmdPaste: Paste(); return;
    case CmdTaxRate: SetTaxRate(); return;
    case CmdManual: OpenManual(); return;
    case CmdAbout: ShowVersion(); return;
    default: break;
    }
    // The digit keys and the point carry their control ids.
    if (command >= 1008 && command <= 1017) TypeDigit(QChar(u"7894561230"[command - 1008]));
    else if (command == 1019) TypeDigit(u'.');
}

void CSanboDlg::Magnify(bool larger)
{
    if (!KoAppZoomEnabled()) return;
    StepZoom(larger);
    // Windows opened from here (the tax-rate dialog) follow the calculator.
    KoAppSettings()->SetFontSize(ZoomStep());
    RebuildDisplayFont();
}

void CSanboDlg::Copy()
{
    QGuiApplication::clipboard()->setText(m_engine.Display());
}

void CSanboDlg::Paste()
{
    Report(m_engine.Paste(QGuiApplication::clipboard()->text()));
}

void CSanboDlg::SetTaxRate()
{
    CSanboTaxRateDlg dialog(m_engine.TaxRate(), this);
    if (dialog.DoModal() != QDialog::Accepted) return;
    m_engine.SetTaxRate(dialog.Rate());
    m_iniFile.WriteTaxRate(dialog.Rate());
}

void CSanboDlg::OpenManual()
{
    QDir parent(QCoreApplication::applicationDirPath());
    parent.cdUp();
    const QString folder = parent.filePath(u"Tebiki"_s);
    const QString manual = QCoreApplication::applicationDirPath() + u"/Sanbo_Manual.txt"_s;
    if (!platform::startProgram(folder + u"/Tebiki2"_s, {manual}, folder))
        KoMessageBox(this, u"%1が見つかりません。"_s.arg(u"TebikiVer2"_s));
}

void CSanboDlg::ShowVersion()
{
    KoMessageBox(this, u"%1 Version %2"_s.arg(u"SanboVer2"_s, QCoreApplication::applicationVersion()),
                 KoButtons::Ok, u"SanboVer2のバージョン情報"_s, KoIcon::Information);
}
