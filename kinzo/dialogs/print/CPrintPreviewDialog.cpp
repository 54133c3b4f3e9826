#include "kinzo/dialogs/print/CPrintPreviewDialog.h"

#include "grid/CXGrid.h"
#include "kinzo/dialogs/print/PrintJob.h"
#include "kinzo/dialogs/print/PrintPage.h"
#include "kolib/KoAppVoice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CPrintPreviewDialog::CPrintPreviewDialog(QWidget* parent, std::unique_ptr<CXGrid> grid, int orientation)
    : CKoVDialogBase(ResourceId, parent), m_grid(std::move(grid)), m_orientation(orientation)
{
    setWindowTitle(u"帳票確認"_s);
    if (m_grid) m_grid->hide();
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    m_caption = new QLabel(this);
    m_caption->setObjectName(u"1128"_s);
    top->addWidget(m_caption);
    m_spinner = new QSpinBox(this);
    m_spinner->setObjectName(u"1183"_s);
    m_spinner->setAccessibleName(u"ページ"_s);
    top->addWidget(m_spinner);
    top->addStretch(1);

    m_pageView = new QLabel(this);
    m_pageView->setObjectName(u"1170"_s);
    m_pageView->setAlignment(Qt::AlignCenter);
    m_pageView->setMinimumSize(420, 420);
    m_pageView->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_pageView, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto* prev = new CKoButton(u"前へ(Ctrl+←)"_s, this);
    prev->setObjectName(u"1004"_s);
    auto* next = new CKoButton(u"次へ(Ctrl+→)"_s, this);
    next->setObjectName(u"1003"_s);
    auto* print = new CKoButton(u"印刷(&P)..."_s, this);
    print->setObjectName(u"1172"_s);
    auto* setup = new CKoButton(u"印刷設定(&S)..."_s, this);
    setup->setObjectName(u"1171"_s);
    for (CKoButton* b : {prev, next, print, setup}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(MakeOkButton(u"閉じる(&C)"_s));

    connect(prev, &QPushButton::clicked, this, [this] { ShowPage(m_page - 1); });
    connect(next, &QPushButton::clicked, this, [this] { ShowPage(m_page + 1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), this), &QShortcut::activated, this,
            [this] { ShowPage(m_page - 1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), this), &QShortcut::activated, this,
            [this] { ShowPage(m_page + 1); });
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(setup, &QPushButton::clicked, this, [this] {
        if (SetUpPrinter(this, m_printer) && PreparePages()) ShowPage(std::min(m_page, PageCount() - 1));
    });
    connect(m_spinner, &QSpinBox::valueChanged, this, [this](int value) {
        if (value - 1 != m_page) ShowPage(value - 1);
    });
    PresetPrinter(m_printer);
}

CPrintPreviewDialog::~CPrintPreviewDialog() = default;

bool CPrintPreviewDialog::PreparePages()
{
    if (!m_grid || !SplitIntoPages(this, *m_grid, m_printer)) return false;
    const QSignalBlocker block(m_spinner);
    m_spinner->setRange(1, PageCount());
    return true;
}

int CPrintPreviewDialog::PageCount() const
{
    return m_grid ? PrintPageCount(*m_grid) : 0;
}

void CPrintPreviewDialog::OnInitDialog()
{
    ShowPage(0);
    m_pageView->setFocus(Qt::OtherFocusReason);
}

QString CPrintPreviewDialog::PageCaption() const
{
    return u"%1ページ／全%2ページ"_s.arg(m_page + 1).arg(PageCount());
}

QString CPrintPreviewDialog::PageText() const
{
    return m_grid ? PrintPageText(*m_grid, m_page) : QString();
}

void CPrintPreviewDialog::ShowPage(int page)
{
    if (PageCount() == 0 || page < 0 || page >= PageCount()) return;
    m_page = page;
    {
        const QSignalBlocker block(m_spinner);
        m_spinner->setValue(page + 1);
    }
    m_caption->setText(PageCaption());
    m_pageView->setAccessibleName(PageCaption());
    m_pageView->setAccessibleDescription(PageText());
    Render();
    KoAppReadText(PageCaption());
}

void CPrintPreviewDialog::Render()
{
    if (!m_grid || PageCount() == 0) return;
    const QSize room = m_pageView->size();
    const QImage page = RenderPrintPage(*m_grid, m_page, std::max(200, room.width()));
    m_pageView->setPixmap(QPixmap::fromImage(page.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void CPrintPreviewDialog::resizeEvent(QResizeEvent* event)
{
    CKoVDialogBase::resizeEvent(event);
    Render();
}

bool CPrintPreviewDialog::Print()
{
    if (!m_grid || !ChoosePrinter(this, m_printer)) return false;
    const bool printed = PrintReportGrid(this, *m_grid, m_printer, m_orientation);
    // The pages as they went to the chosen printer.
    const QSignalBlocker block(m_spinner);
    m_spinner->setRange(1, std::max(1, PageCount()));
    ShowPage(std::min(m_page, PageCount() - 1));
    return printed;
}
