#include "CSanboDlg.h"

#include "CSanboIniFile.h"

#include "kolib/CKoButton.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoLineEditAccessible.h"
#include "platform/Beep.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Display and indicators take the top rows of the key grid.
constexpr int firstKeyRow = 2;

}  // namespace

CSanboDlg::CSanboDlg(CSanboIniFile& iniFile, QWidget* parent)
    : CKoVDialogBase(102, parent), m_iniFile(iniFile), m_menuBar(new QMenuBar(this)),
      m_display(new QLineEdit(this)), m_operatorIndicator(new QLabel(this)),
      m_memoryIndicator(new QLabel(this))
{
    setWindowTitle(u"SanboVer2"_s);
    m_display->setObjectName(u"1029"_s);
    KoPresentAsReadout(m_display);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setAccessibleName(u"表示"_s);
    m_operatorIndicator->setObjectName(u"1026"_s);
    m_memoryIndicator->setObjectName(u"1027"_s);
    for (QLabel* indicator : {m_operatorIndicator, m_memoryIndicator})
        indicator->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    BuildKeys();
    BuildMenu();
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void CSanboDlg::BuildKeys()
{
    auto* grid = new QGridLayout;
    grid->addWidget(m_display, 0, 0, 1, 4);
    grid->addWidget(m_memoryIndicator, 1, 0);
    grid->addWidget(m_operatorIndicator, 1, 3, Qt::AlignRight);
    // The tab order runs from "0" up through the digits and operators to
    // "M+"; the arrow keys wrap between the two ends.
    AddKey(1017, u"0"_s, {}, 5, 0);
    AddKey(1019, u"・"_s, u"ドットル"_s, 5, 1);
    AddKey(1018, u"+/-"_s, u"符号"_s, 5, 2);
    for (int digit = 1; digit <= 9; ++digit) {
        const int id = 1014 + (digit - 1) % 3 - 3 * ((digit - 1) / 3);
        AddKey(id, QString::number(digit), {}, 4 - (digit - 1) / 3, (digit - 1) % 3);
    }
    AddKey(CmdPlus, u"＋"_s, u"プラス"_s, 5, 3);
    AddKey(CmdMinus, u"－"_s, u"マイナス"_s, 4, 3);
    AddKey(CmdTimes, u"×"_s, u"かける"_s, 3, 3);
    AddKey(CmdDivide, u"÷"_s, u"わる"_s, 2, 3);
    AddKey(CmdEquals, u"＝"_s, u"イコール"_s, 6, 2, 2);
    AddKey(1020, u"税込"_s, {}, 6, 0, 2);
    AddKey(1001, u"BS"_s, {}, 0, 0);
    AddKey(1002, u"CE"_s, {}, 0, 1);
    AddKey(1003, u"C"_s, {}, 0, 2);
    AddKey(1004, u"MC"_s, {}, 1, 0);
    AddKey(1005, u"MR"_s, {}, 1, 1);
    AddKey(1006, u"MS"_s, {}, 1, 2);
    AddKey(1007, u"M+"_s, u"エムプラス"_s, 1, 3);
    for (CKoButton* key : m_order)
        grid->addWidget(key, firstKeyRow + key->property("row").toInt(), key->property("column").toInt(),
                        1, key->property("span").toInt());
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menuBar);
    layout->addLayout(grid);
}

CKoButton* CSanboDlg::AddKey(int id, const QString& caption, const QString& speech, int row, int column,
                             int span)
{
    auto* key = new CKoButton(caption, this);
    key->setObjectName(QString::number(id));
    key->setAutoDefault(false);
    // A magnified window's room goes to the keys, not to the indicator row.
    key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (!speech.isEmpty()) key->SetSpeechText(speech);
    key->setProperty("row", row);
    key->setProperty("column", column);
    key->setProperty("span", span);
    connect(key, &QPushButton::clicked, this, [this, id] { RunCommand(id); });
    setTabOrder(m_order.empty() ? static_cast<QWidget*>(m_display) : m_order.back(), key);
    m_order.push_back(key);
    m_keys.insert(id, key);
    return key;
}

void CSanboDlg::OnInitDialog()
{
    m_engine.SetTaxRate(m_iniFile.ReadTaxRate());
    m_display->setFocus();
    Refresh();
}

void CSanboDlg::showEvent(QShowEvent* event)
{
    CKoVDialogBase::showEvent(event);
    RebuildDisplayFont();
}

void CSanboDlg::RebuildDisplayFont()
{
    QFont font = CKoWindowZoom::ZoomFont(1.0);
    font.setPointSizeF(14 * Zoom().Factor());
    m_display->setFont(font);
    m_display->update();
    // The menus are windows of their own and do not inherit the magnified font.
    for (QMenu* menu : m_menuBar->findChildren<QMenu*>()) menu->setFont(Zoom().Font());
}

void CSanboDlg::Report(const SanboFeedback& feedback)
{
    Refresh();
    if (feedback.refused) platform::beep(platform::BeepSound::Default);
    else if (!feedback.speech.isEmpty()) KoAppReadText(feedback.speech, 1, 0);
}

void CSanboDlg::Refresh()
{
    m_display->setText(m_engine.Display());
    m_display->end(false);
    m_operatorIndicator->setText(m_engine.OperatorIndicator());
    m_memoryIndicator->setText(m_engine.MemoryIndicator());
}

void CSanboDlg::TypeDigit(QChar c)
{
    Report(m_engine.Digit(c));
}
