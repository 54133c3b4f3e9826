#include "kinzo/dialogs/transfer/CPathDialog.h"

#include "CKinzoApp.h"
#include "kinzo/dialogs/transfer/PathHistory.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CPathDialog::CPathDialog(QWidget* parent, const QString& title, const QString& label, const char* comboId,
                         const char* browseId, QStringList history)
    : CKoVDialogBase(0, parent), m_history(std::move(history))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QGridLayout;
    layout->addLayout(row);
    auto* caption = new QLabel(label, this);
    m_combo = new CKoVComboBox(this);
    m_combo->setObjectName(QString::fromLatin1(comboId));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setMinimumContentsLength(40);
    m_combo->Setup(KoStripMnemonic(label));
    m_combo->addItems(m_history);
    m_browse = new CKoButton(u"参照(&B)..."_s, this);
    m_browse->setObjectName(QString::fromLatin1(browseId));
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, [this] { Browse(); });
    row->addWidget(caption, 0, 0, 1, 2);
    row->addWidget(m_combo, 1, 0);
    row->addWidget(m_browse, 1, 1);
    KoTieLabel(caption, m_combo);
    layout->addLayout(MakeOkCancelRow());
}

void CPathDialog::OnInitDialog()
{
    if (!m_history.isEmpty()) m_combo->setCurrentIndex(0);
    m_combo->setFocus(Qt::OtherFocusReason);
}

QString CPathDialog::Path() const { return m_combo->currentText().trimmed(); }

void CPathDialog::SetPath(const QString& path)
{
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(path);
}

QStringList CPathDialog::HistoryWithPath() const
{
    QStringList history = m_history;
    const int selected = m_combo->currentIndex() >= 0 && m_combo->itemText(m_combo->currentIndex()) == Path()
                             ? m_combo->currentIndex()
                             : -1;
    PutPathOnTop(history, Path(), selected, CKinzoApp::Instance()->m_settingInfo.m_maxHistorys);
    return history;
}
